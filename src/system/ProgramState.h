#pragma once
// The program's shared globals. They live as long as the program and are
// written only by the procedures that own them (see each comment).

#include <QString>
#include <cstdint>

namespace sys {

// Full path of the settings file; set once when the main window is created.
extern QString settingsPath;

// The desktop wallpaper as LoadWallpaperSettings last read it. The placement
// window overwrites wallpaperPath with the composed bitmap before applying it.
extern QString wallpaperPath;
extern int32_t wallpaperOriginX;
extern int32_t wallpaperOriginY;
extern int16_t tileWallpaper;

}  // namespace sys
