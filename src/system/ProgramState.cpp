#include "system/ProgramState.h"

namespace sys {

QString settingsPath;
QString wallpaperPath;
int32_t wallpaperOriginX = 0;
int32_t wallpaperOriginY = 0;
int16_t tileWallpaper = 0;

}  // namespace sys
