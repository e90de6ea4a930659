#include "system/Module1.h"

namespace Module1 {

QString strIniFile;
int16_t intTwipsPerPixelX = 0;
int16_t intTwipsPerPixelY = 0;
QString strWallpaper;
int32_t lngOriginX = 0;
int32_t lngOriginY = 0;
int16_t intTileWallpaper = 0;

}  // namespace Module1
