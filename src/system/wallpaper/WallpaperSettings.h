#pragma once
// The current user's desktop wallpaper settings: read before a placement,
// written back and applied after it.

#include <QString>
#include <cstdint>

namespace desktop {
class DesktopBackend;
}

namespace sys {

// The four desktop values a placement starts from.
struct WallpaperSettings {
    QString picture;  // the wallpaper file; empty when there is none
    int32_t originX = 0;
    int32_t originY = 0;
    int16_t tile = 0;  // 1 tiled, 0 not
};

// Reads "Wallpaper", "WallpaperOriginX", "WallpaperOriginY" and
// "TileWallpaper" under HKEY_CURRENT_USER\Control Panel\desktop. Origins that
// are no number read as 0; a tiling that is no number keeps `earlier.tile`.
// Where `desktop` is a live one that keeps its own picture and tiling, those
// stand instead of the hive's copies.
WallpaperSettings LoadWallpaperSettings(desktop::DesktopBackend& desktop,
                                        const WallpaperSettings& earlier = {});

// Writes "TileWallpaper", "WallpaperOriginX" and "WallpaperOriginY" (in that
// order), then makes `settings.picture` the wallpaper of `desktop`. The flags are
// Booleans: 0 false, anything else true.
struct WallpaperResult {
    bool ok = false;  // the desktop took the wallpaper
    QString error;    // one line for the user when it did not; empty on success
    QString note;     // on success, what the desktop could not do as asked
};
WallpaperResult SetWallpaper(desktop::DesktopBackend& desktop, const WallpaperSettings& settings,
                             int16_t useOrigin, int16_t resetOrigin, int16_t tile);

}  // namespace sys
