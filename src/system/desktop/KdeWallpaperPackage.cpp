#include "system/desktop/KdeWallpaperPackage.h"

#include <QDir>
#include <QFileInfo>

#include "system/desktop/DesktopText.h"
#include "system/desktop/SessionEnvironment.h"

namespace desktop {

namespace {
// The first existing `relative` below `dirs`, or empty.
QString locate(const QStringList& dirs, const QString& relative) {
    for (const QString& dir : dirs) {
        if (QFileInfo::exists(dir + relative)) {
            return dir + relative;
        }
    }
    return {};
}
}  // namespace

QString defaultWallpaperPackage(const SessionEnvironment& env) {
    // The image plugin shows the package the look-and-feel names in its
    // defaults ([Wallpaper] Image=Next in Breeze, DebianTheme in Debian's);
    // the look-and-feel is kdeglobals' [KDE] LookAndFeelPackage, Breeze unless set.
    QString lookAndFeel = QStringLiteral("org.kde.breeze.desktop");
    for (const QString& dir : QStringList{env.configHome()} + env.configDirs()) {
        const std::optional<QString> set =
            keyFileValue(readKeyFile(dir + QStringLiteral("/kdeglobals")), QStringLiteral("KDE"),
                         QStringLiteral("LookAndFeelPackage"));
        if (set && !set->isEmpty()) {
            lookAndFeel = *set;
            break;
        }
    }
    const QStringList dirs = env.dataDirs();
    const QString defaults =
        locate(dirs, QStringLiteral("/plasma/look-and-feel/%1/contents/defaults").arg(lookAndFeel));
    const QString name =
        keyFileValue(readKeyFile(defaults), QStringLiteral("Wallpaper"), QStringLiteral("Image"))
            .value_or(QStringLiteral("Next"));
    const QString package =
        locate(dirs, QStringLiteral("/wallpapers/%1/contents/images").arg(name));
    return package.isEmpty() ? QString()
                             : QFileInfo(package).path().section(QLatin1Char('/'), 0, -2);
}

QString pictureOfPackage(const QString& folder) {
    // Plasma draws the size nearest the screen's; they are one picture, and the
    // largest keeps the most of it.
    const QDir images(folder + QStringLiteral("/contents/images"));
    QString best;
    qint64 bestArea = -1;
    for (const QFileInfo& file : images.entryInfoList(QDir::Files, QDir::Name)) {
        const QStringList size = file.completeBaseName().split(QLatin1Char('x'));
        const qint64 area =
            size.size() == 2 ? size.at(0).toLongLong() * size.at(1).toLongLong() : 0;
        if (area > bestArea) {
            best = file.absoluteFilePath();
            bestArea = area;
        }
    }
    return best;
}

}  // namespace desktop

namespace desktop {

bool wallpaperPluginInstalled(const SessionEnvironment& env, const QString& plugin) {
    const QString folder = QStringLiteral("/plasma/wallpapers/") + plugin;
    return !locate(env.dataDirs(), folder + QStringLiteral("/metadata.json")).isEmpty() ||
           !locate(env.dataDirs(), folder + QStringLiteral("/metadata.desktop")).isEmpty();
}

}  // namespace desktop
