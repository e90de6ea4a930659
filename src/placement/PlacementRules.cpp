#include "placement/PlacementRules.h"

#include "placement/WallpaperGeometry.h"

namespace placement {

bool calendarFitsShown(QSizeF calendar, QSizeF shownWallpaper) {
    // A hair of slack: a scaled size may land a rounding error above a whole
    // pixel it equals.
    constexpr double kSlack = 1e-6;
    return calendar.width() <= shownWallpaper.width() + kSlack &&
           calendar.height() <= shownWallpaper.height() + kSlack;
}

tk::PictureTarget pictureTarget(desktop::PictureMode mode, const Monitor& monitor,
                                const QRect& span) {
    using desktop::PictureMode;
    tk::PictureTarget target;
    target.monitor = monitor.deviceSize();
    switch (mode) {
        case PictureMode::Zoom:
            target.fit = tk::PictureTarget::Fit::Cover;
            break;
        case PictureMode::Spanned:
            target.fit = tk::PictureTarget::Fit::Cover;
            if (!span.isEmpty()) {
                target.monitor = span.size();
            }
            break;
        case PictureMode::SpannedStretched:
            target.fit = tk::PictureTarget::Fit::Stretch;
            if (!span.isEmpty()) {
                target.monitor = span.size();
            }
            break;
        case PictureMode::Scaled:
            target.fit = tk::PictureTarget::Fit::Contain;
            break;
        case PictureMode::Stretched:
            target.fit = tk::PictureTarget::Fit::Stretch;
            break;
        case PictureMode::Centered:
        case PictureMode::Tiled:
        case PictureMode::TiledCentred:
            target.fit = tk::PictureTarget::Fit::Natural;
            break;
    }
    return target;
}

}  // namespace placement
