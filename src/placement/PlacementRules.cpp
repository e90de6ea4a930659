#include "placement/PlacementRules.h"

#include "toolkit/Rounding.h"

namespace placement {

namespace {
// Far below one pixel (26 in these units at 96 dpi), far above the error of
// a millimetre size taken times 100.
constexpr double kHimetricSlack = 1e-6;
}  // namespace

bool calendarFits(double previewWidthMm, double previewHeightMm, double pictureWidthHimetric,
                  double pictureHeightHimetric) {
    const bool widthFits = previewWidthMm * 100.0 <= pictureWidthHimetric + kHimetricSlack;
    const bool heightFits = previewHeightMm * 100.0 <= pictureHeightHimetric + kHimetricSlack;
    return widthFits && heightFits;
}

std::optional<QPoint> windowPositionTwips(const WallpaperPlace& place, float screenWidth,
                                          float screenHeight, float formWidth, float formHeight) {
    if (place.originX != 0 || place.originY != 0 || place.tile != 0) {
        int32_t left = 0;
        int32_t top = 0;
        if (__builtin_mul_overflow(int32_t{place.twipsPerPixelX}, place.originX, &left) ||
            __builtin_mul_overflow(int32_t{place.twipsPerPixelY}, place.originY, &top)) {
            return std::nullopt;
        }
        return QPoint(left, top);
    }
    try {
        const float dx = screenWidth - formWidth;
        const float dy = screenHeight - formHeight;
        return QPoint(tk::CLng(dx) / 2, tk::CLng(dy) / 2);
    } catch (const tk::OverflowError&) {
        return std::nullopt;
    }
}

}  // namespace placement
