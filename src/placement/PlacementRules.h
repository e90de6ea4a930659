#pragma once
// The two rules of "Drag Calendar" that are plain arithmetic: whether the
// calendar fits on the wallpaper, and where the placement window goes so that
// it lies over the wallpaper's place on the screen.

#include <QPoint>
#include <cstdint>
#include <optional>

namespace placement {

// A calendar of the preview's size (millimetres) fits on a picture of the
// given natural size (0.01 mm) when neither side is larger. Equal sizes fit,
// although the two units reach the same length by different roundings.
bool calendarFits(double previewWidthMm, double previewHeightMm, double pictureWidthHimetric,
                  double pictureHeightHimetric);

struct WallpaperPlace {
    int32_t originX = 0;  // pixels
    int32_t originY = 0;
    int16_t tile = 0;  // non-zero: tiled
    int16_t twipsPerPixelX = 15;
    int16_t twipsPerPixelY = 15;
};

// The window's top-left corner in twips. A tiled wallpaper, or one with an
// origin, starts at the origin; otherwise the desktop centres it, and the
// window is centred on the screen (sizes in twips; the difference taken to
// the nearest whole twip, halves to even, then halved toward zero).
// Nothing when a position leaves the 32-bit range.
std::optional<QPoint> windowPositionTwips(const WallpaperPlace& place, float screenWidth,
                                          float screenHeight, float formWidth, float formHeight);

}  // namespace placement
