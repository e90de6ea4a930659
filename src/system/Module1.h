#pragma once
// The program's shared globals. They live as long as the program and are
// written only by the procedures that own them (see each comment).

#include <QString>
#include <cstdint>

namespace Module1 {

// Full path of the settings file; set once when the main window is created.
extern QString strIniFile;

// Twips per screen pixel, rounded; set when the main window is created.
extern int16_t intTwipsPerPixelX;
extern int16_t intTwipsPerPixelY;

// The desktop wallpaper as LoadWallpaperSettings last read it. The placement
// window overwrites strWallpaper with the composed bitmap before applying it.
extern QString strWallpaper;
extern int32_t lngOriginX;
extern int32_t lngOriginY;
extern int16_t intTileWallpaper;

}  // namespace Module1
