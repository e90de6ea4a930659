#include "system/desktop/KdeWallpaperPackage.h"

#include <QDir>
#include <QFileInfo>

#include "system/desktop/SessionEnvironment.h"

namespace desktop {

QString defaultWallpaperPackage(const SessionEnvironment& env) {
    // The look-and-feel's defaults name the package ([Wallpaper] Image=Next
    // in Breeze); it is found like every data file, the user's folder first.
    QString dataHome = env.value(QStringLiteral("XDG_DATA_HOME"));
    if (dataHome.isEmpty()) {
        dataHome = env.home() + QStringLiteral("/.local/share");
    }
    QString dirs = env.value(QStringLiteral("XDG_DATA_DIRS"));
    if (dirs.isEmpty()) {
        dirs = QStringLiteral("/usr/local/share:/usr/share");
    }
    for (const QString& dir : (dataHome + QLatin1Char(':') + dirs).split(QLatin1Char(':'))) {
        const QString package = dir + QStringLiteral("/wallpapers/Next");
        if (!dir.isEmpty() && QFileInfo(package + QStringLiteral("/contents/images")).isDir()) {
            return package;
        }
    }
    return {};
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
