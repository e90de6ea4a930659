#include "system/wallpaper/WallpaperStore.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

#include "system/Numeric.h"
#include "system/desktop/DesktopBackend.h"
#include "system/registry/Registry.h"
#include "toolkit/Rounding.h"
#include "toolkit/Translations.h"

namespace sys {

namespace {

const QString kDesktopKey = QStringLiteral("Control Panel\\desktop");
// The longest text a value read gives, its terminating zero byte not counted.
constexpr qsizetype kLongestValue = 1024;

QString desktopValue(const QString& name) {
    return reg::readText(reg::Root::CurrentUser, kDesktopKey, name).value_or(QString());
}

bool recordDesktopValue(const QString& name, const QString& text) {
    return reg::writeText(reg::Root::CurrentUser, kDesktopKey, name, text);
}

// Whether the desktop's own settings stand for the hive's copies: a live
// desktop, and a hive that can be read (with or without the key).
bool readsLive(const desktop::DesktopBackend& desktop) {
    return desktop.name() != QLatin1String("none") &&
           reg::hasKey(reg::Root::CurrentUser, kDesktopKey).has_value();
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
int originReading(const QString& text) {
    const auto number = numericValue(text);
    if (!number) {
        return 0;
    }
    try {
        return tk::roundToInt32(*number);
    } catch (const tk::OverflowError&) {
        return 0;
    }
}

WallpaperResult failed(const QString& why) {
    return WallpaperResult{false, why, {}};
}

}  // namespace

WallpaperSettings WallpaperStore::load(const WallpaperSettings& earlier) const {
    return load(readsLive(desktop_) ? desktop_.current() : desktop::CurrentWallpaper{}, earlier);
}

WallpaperSettings WallpaperStore::load(const desktop::CurrentWallpaper& shows,
                                       const WallpaperSettings& earlier) const {
    WallpaperSettings settings;
    const bool live = readsLive(desktop_);
    const std::optional<QString> livePicture = live ? shows.picture : std::nullopt;
    settings.picture =
        livePicture ? asValueText(*livePicture) : desktopValue(QStringLiteral("Wallpaper"));
    settings.origin = QPoint(originReading(desktopValue(QStringLiteral("WallpaperOriginX"))),
                             originReading(desktopValue(QStringLiteral("WallpaperOriginY"))));
    settings.tiled = earlier.tiled;
    const std::optional<bool> liveTiled = live ? shows.tiled : std::nullopt;
    const QString tileText = liveTiled ? QString::number(*liveTiled ? 1 : 0)
                                       : desktopValue(QStringLiteral("TileWallpaper"));
    if (const auto tile = numericValue(tileText)) {
        // Tiled when it rounds to 1; any other number means untiled.
        settings.tiled = tk::roundHalfEven(*tile) == 1.0;
    }
    return settings;
}

WallpaperResult WallpaperStore::apply(const WallpaperSettings& settings) {
    // A desktop may read tiling and origin from the hive when it applies the
    // picture, so they are recorded first. A failed write does not stop the
    // others.
    recordDesktopValue(QStringLiteral("TileWallpaper"),
                       settings.tiled ? QStringLiteral("1") : QStringLiteral("0"));
    recordDesktopValue(QStringLiteral("WallpaperOriginX"), QString::number(settings.origin.x()));
    recordDesktopValue(QStringLiteral("WallpaperOriginY"), QString::number(settings.origin.y()));

    const QString& file = settings.picture;
    if (file.isEmpty()) {
        return failed(tk::Text::tr("No wallpaper file was given."));
    }
    if (!QFileInfo(file).isFile() || !QFileInfo(file).isReadable()) {
        return failed(tk::Text::tr("The wallpaper file %1 cannot be read.")
                          .arg(QDir::toNativeSeparators(file)));
    }
    const desktop::ApplyResult applied = desktop_.apply(file, settings.tiled);
    if (!applied.ok) {
        return failed(applied.error.isEmpty()
                          ? tk::Text::tr("The desktop (%1) did not accept the wallpaper.")
                                .arg(desktop_.name())
                          : applied.error);
    }
    if (!recordDesktopValue(QStringLiteral("Wallpaper"), file)) {
        return failed(tk::Text::tr("The wallpaper path could not be recorded in %1.")
                          .arg(QDir::toNativeSeparators(reg::hivePath())));
    }
    return WallpaperResult{true, {}, applied.note};
}

}  // namespace sys
