#pragma once
// The current user's desktop wallpaper settings: read before a placement,
// recorded and handed to the desktop after it. They are the values
// "Wallpaper", "WallpaperOriginX", "WallpaperOriginY" and "TileWallpaper"
// under HKEY_CURRENT_USER\Control Panel\desktop in the hive.

#include <QPoint>
#include <QString>

namespace desktop {
class DesktopBackend;
struct CurrentWallpaper;
}  // namespace desktop

namespace sys {

// The desktop settings a placement starts from.
struct WallpaperSettings {
    QString picture;  // the wallpaper file; empty when there is none
    QPoint origin;
    bool tiled = false;
};

struct WallpaperResult {
    bool ok = false;  // the desktop took the wallpaper
    QString error;    // one line for the user when it did not; empty on success
    QString note;     // on success, what the desktop could not do as asked
};

class WallpaperStore {
public:
    // The store talks to the desktop only through `desktop`.
    explicit WallpaperStore(desktop::DesktopBackend& desktop) : desktop_(desktop) {}

    // Origins that are no number read as 0; a tiling that is no number keeps
    // `earlier.tiled`. Where the desktop is a live one that keeps its own
    // picture and tiling, those it `shows` stand instead of the hive's copies.
    WallpaperSettings load(const desktop::CurrentWallpaper& shows,
                           const WallpaperSettings& earlier = {}) const;
    // The same, asking the desktop what it shows where that counts.
    WallpaperSettings load(const WallpaperSettings& earlier = {}) const;

    // Records the tiling and the origin (in that order), makes the picture
    // the desktop's wallpaper, and then records its path.
    WallpaperResult apply(const WallpaperSettings& settings);

private:
    desktop::DesktopBackend& desktop_;
};

}  // namespace sys
