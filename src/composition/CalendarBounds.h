#pragma once
// The range of a placed calendar's numbers. The command line refuses values
// outside it, the composition record calls a calendar outside it damaged, and
// the finish never records more.

#include <cmath>

#include "toolkit/picture/BmpHeader.h"

namespace composition {

// Font sizes the command line takes, in points.
inline constexpr double kMinPoints = 1;
inline constexpr double kMaxPoints = 2000;

// A calendar's corner, in wallpaper pixels either way from the picture's
// corner. No picture is wider than 32767 pixels, so this leaves room for any
// corner that puts some of a calendar on it.
inline constexpr double kMaxPosition = 1'000'000;

// The largest font a finish produces, in wallpaper pixels. The finish
// records the preview's font as
//     points x dpiY / 72 x dpr x scaleY,
// the first three factors being its height in device pixels and scaleY the
// wallpaper pixels per device pixel, picture height / shown height
// (WallpaperMapping). The main window sizes the preview's font to at most
// its height / 9.5, rounded to whole points (a size under one point is not
// drawn), so at most height / 4.75. The placement opens only when the
// preview, in device pixels, fits on the visible part of the wallpaper,
// which lies inside the picture as shown. Hence
//     fontPixels <= visible height / 4.75 x picture height / shown height
//                <= picture height / 4.75 <= 32767 / 4.75, about 6898:
// 2000 points at 3.45 wallpaper pixels per point. The finish clamps to it,
// for a font left from an earlier size that the preview could not redraw.
inline constexpr double kMaxFontPixels = tk::bmp::kMaxSide / 4.75;

inline bool positionInRange(double v) {
    return std::isfinite(v) && std::abs(v) <= kMaxPosition;
}
inline bool pointsInRange(double v) {
    return std::isfinite(v) && v >= kMinPoints && v <= kMaxPoints;
}
inline bool fontPixelsInRange(double v) {
    return std::isfinite(v) && v > 0 && v <= kMaxFontPixels;
}

}  // namespace composition
