#include "system/desktop/ImageLoaders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <optional>

#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/WallpaperFiles.h"

namespace desktop {

namespace {

QString gdkPixbufCache(const SessionEnvironment& env) {
    const QString own = env.value(QStringLiteral("GDK_PIXBUF_MODULE_FILE"));
    if (!own.isEmpty()) {
        return own;
    }
    const QString relative = QStringLiteral("/gdk-pixbuf-2.0/2.10.0/loaders.cache");
    QStringList libs{QStringLiteral("/usr/lib"), QStringLiteral("/usr/lib64")};
    for (const QString& multiarch :
         QDir(QStringLiteral("/usr/lib")).entryList({QStringLiteral("*-linux-gnu*")}, QDir::Dirs)) {
        libs.prepend(QStringLiteral("/usr/lib/") + multiarch);
    }
    for (const QString& lib : libs) {
        if (QFileInfo::exists(lib + relative)) {
            return lib + relative;
        }
    }
    return {};
}

// A loader's second line names its format first: "bmp" 5 "gdk-pixbuf" "BMP" "LGPL".
bool cacheHasBmp(const QString& cache) {
    QFile file(cache);
    if (!file.open(QIODevice::ReadOnly)) {
        return true;  // nothing to go by
    }
    while (!file.atEnd()) {
        if (file.readLine().startsWith("\"bmp\" ")) {
            return true;
        }
    }
    return false;
}

// glycin lists its loaders in glycin-loaders/<version>/conf.d/*.conf, one
// [loader:MIME] group per format.
std::optional<bool> glycinHasBmp(const SessionEnvironment& env) {
    std::optional<bool> found;
    for (const QString& data : env.dataDirs()) {
        const QDir loaders(data + QStringLiteral("/glycin-loaders"));
        for (const QString& version : loaders.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const QDir conf(loaders.filePath(version) + QStringLiteral("/conf.d"));
            for (const QString& name : conf.entryList({QStringLiteral("*.conf")}, QDir::Files)) {
                QFile file(conf.filePath(name));
                if (!file.open(QIODevice::ReadOnly)) {
                    continue;
                }
                found = found.value_or(false) || file.readAll().contains("[loader:image/bmp]");
            }
        }
    }
    return found;
}

}  // namespace

bool desktopLoadersReadBmp(const SessionEnvironment& env) {
    const QString cache = gdkPixbufCache(env);
    return (cache.isEmpty() || cacheHasBmp(cache)) && glycinHasBmp(env).value_or(true);
}

QString pictureForPixbufDesktop(const QString& picture, const QString& shown,
                                const SessionEnvironment& env, QString* error) {
    if (QImageReader::imageFormat(picture) != "bmp" || desktopLoadersReadBmp(env)) {
        return picture;
    }
    return makeShownCopy(picture, shown, CopyFormat::Png, error, env.ownDataDir());
}

}  // namespace desktop
