#include "system/wallpaper/WallpaperSettings.h"

#include <optional>

#include "system/Numeric.h"
#include "system/desktop/DesktopBackend.h"
#include "system/registry/RegApi.h"
#include "system/registry/RegString.h"
#include "system/wallpaper/SystemParameters.h"
#include "toolkit/Rounding.h"

namespace sys {

namespace {

const QString kDesktopKey = QStringLiteral("Control Panel\\desktop");
// The longest text a value read gives, its terminating zero byte not counted.
constexpr qsizetype kLongestValue = 1024;

QString desktopValue(const QString& name) {
    return RegGetString(reg::HKEY_CURRENT_USER, kDesktopKey, name);
}

// Whether the desktop's own settings stand for the hive's copies: a live
// desktop, and a hive that can be read (with or without the key).
bool readsLive(const desktop::DesktopBackend& desktop) {
    if (desktop.name() == QLatin1String("none")) {
        return false;
    }
    reg::HKEY key = 0;
    const int32_t r = reg::RegOpenKeyA(reg::HKEY_CURRENT_USER, "Control Panel\\desktop", &key);
    if (r == reg::ERROR_SUCCESS) {
        reg::RegCloseKey(key);
    }
    return r == reg::ERROR_SUCCESS || r == reg::ERROR_FILE_NOT_FOUND;
}

// A live setting as a read of the hive's text value gives it: empty when it
// is longer than such a read takes.
QString asValueText(const QString& setting) {
    QByteArray bytes = setting.toLocal8Bit();
    if (bytes.size() >= kLongestValue) {
        return {};
    }
    if (const qsizetype end = bytes.indexOf('\0'); end >= 0) {
        bytes.truncate(end);
    }
    return QString::fromLocal8Bit(bytes);
}

// An origin in pixels: the text's value rounded, or 0 when it is no number.
// A number beyond the 32-bit range is no usable origin either.
int32_t originReading(const QString& text) {
    const auto number = sys::numericValue(text);
    if (!number) {
        return 0;
    }
    try {
        return tk::roundToInt32(*number);
    } catch (const tk::OverflowError&) {
        return 0;
    }
}

}  // namespace

WallpaperSettings LoadWallpaperSettings(desktop::DesktopBackend& desktop,
                                        const WallpaperSettings& earlier) {
    WallpaperSettings settings;
    const bool live = readsLive(desktop);
    const std::optional<QString> livePicture = live ? desktop.liveWallpaper() : std::nullopt;
    settings.picture =
        livePicture ? asValueText(*livePicture) : desktopValue(QStringLiteral("Wallpaper"));
    settings.originX = originReading(desktopValue(QStringLiteral("WallpaperOriginX")));
    settings.originY = originReading(desktopValue(QStringLiteral("WallpaperOriginY")));
    settings.tile = earlier.tile;
    const std::optional<bool> liveTiled = live ? desktop.liveTiled() : std::nullopt;
    const QString tileText = liveTiled ? QString::number(*liveTiled ? 1 : 0)
                                       : desktopValue(QStringLiteral("TileWallpaper"));
    if (const auto tile = sys::numericValue(tileText)) {
        // Anything but 0 or 1 means untiled, a number beyond 16 bits included.
        int16_t value = 0;
        try {
            value = tk::roundToInt<int16_t>(*tile);
        } catch (const tk::OverflowError&) {
            value = 0;
        }
        settings.tile = value < 0 || value > 1 ? int16_t{0} : value;
    }
    return settings;
}

WallpaperResult SetWallpaper(desktop::DesktopBackend& desktop, const WallpaperSettings& settings,
                             int16_t useOrigin, int16_t resetOrigin, int16_t tileWanted) {
    QString originX = QStringLiteral("0");
    QString originY = QStringLiteral("0");
    QString tile = tileWanted != 0 ? QStringLiteral("1") : QStringLiteral("0");
    if (resetOrigin == 0) {
        if (useOrigin != 0) {
            originX = QString::number(settings.originX);
            originY = QString::number(settings.originY);
        } else {
            tile = QStringLiteral("0");
        }
    }
    // The desktop reads tiling and origin from the registry when it applies
    // the picture, so they are written first. A failed write does not stop
    // the others.
    RegSetString(reg::HKEY_CURRENT_USER, kDesktopKey, QStringLiteral("TileWallpaper"), tile);
    RegSetString(reg::HKEY_CURRENT_USER, kDesktopKey, QStringLiteral("WallpaperOriginX"), originX);
    RegSetString(reg::HKEY_CURRENT_USER, kDesktopKey, QStringLiteral("WallpaperOriginY"), originY);

    QByteArray path = settings.picture.toLocal8Bit();
    WallpaperResult result;
    result.ok = sys::SystemParametersInfoA(desktop, sys::SPI_SETDESKWALLPAPER, 0, path.data(),
                                           sys::SPIF_UPDATEINIFILE | sys::SPIF_SENDWININICHANGE,
                                           &result.error) != 0;
    if (result.ok) {
        result.note.swap(result.error);
    }
    return result;
}

}  // namespace sys
