#include "placement/PlacementRules.h"

#include "composition/WallpaperGeometry.h"
#include "toolkit/Translations.h"

namespace placement {

bool calendarFitsShown(QSizeF calendar, QSizeF shownWallpaper) {
    // A hair of slack: a scaled size may land a rounding error above a whole
    // pixel it equals.
    constexpr double kSlack = 1e-6;
    return calendar.width() <= shownWallpaper.width() + kSlack &&
           calendar.height() <= shownWallpaper.height() + kSlack;
}

QString partlyOnScreenMessage(QSize calendar, QSize onScreen, std::optional<QPoint> origin) {
    const QString what = tk::Text::tr(
                             "Only %1 x %2 pixels of the wallpaper are on the screen; the calendar "
                             "needs %3 x %4.")
                             .arg(onScreen.width())
                             .arg(onScreen.height())
                             .arg(calendar.width())
                             .arg(calendar.height());
    if (!origin) {
        return what + tk::Text::tr(
                          "\nThe rest of the wallpaper lies beyond the screen's edge.\n"
                          "Make the window smaller for a smaller calendar.");
    }
    return what + tk::Text::tr(
                      "\nAt its origin (%1, %2) the rest of the wallpaper lies "
                      "beyond the screen's edge.\nChoose an origin that brings more "
                      "of it onto the screen, or make the window smaller for a "
                      "smaller calendar.")
                      .arg(origin->x())
                      .arg(origin->y());
}

tk::PictureTarget pictureTarget(desktop::PictureMode mode, const composition::Monitor& monitor,
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
        case PictureMode::TiledStretched:
            target.fit = tk::PictureTarget::Fit::Natural;
            break;
    }
    return target;
}

}  // namespace placement
