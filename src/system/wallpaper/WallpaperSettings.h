#pragma once
// The current user's desktop wallpaper settings: read into the shared
// globals of sys before a placement, written back and applied after it.

#include <QString>
#include <cstdint>

namespace sys {

// Reads "Wallpaper", "WallpaperOriginX", "WallpaperOriginY" and
// "TileWallpaper" under HKEY_CURRENT_USER\Control Panel\desktop into
// wallpaperPath, wallpaperOriginX, wallpaperOriginY and tileWallpaper. Origins that are
// no number read as 0; a tiling that is no number leaves tileWallpaper as
// it was.
void LoadWallpaperSettings();

// Writes "TileWallpaper", "WallpaperOriginX" and "WallpaperOriginY" (in that
// order), then makes wallpaperPath the desktop wallpaper. Arguments are
// Booleans: 0 False, anything else True. Returns whether the desktop took the
// wallpaper; lastWallpaperError() says why not.
bool SetWallpaper(int16_t useOrigin, int16_t resetOrigin, int16_t tileWanted);

// One line for the user about the last SetWallpaper that failed; empty
// after a success.
QString lastWallpaperError();

}  // namespace sys
