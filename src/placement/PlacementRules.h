#pragma once
// The rules of "Drag Calendar" that are plain arithmetic: whether the
// calendar fits on the wallpaper as the screen shows it, and at what size the
// desktop draws a picture it can draw at any size.

#include <QRect>
#include <QSizeF>
#include <QString>
#include <optional>

#include "system/desktop/PictureMode.h"
#include "toolkit/picture/PictureFile.h"

namespace composition {
struct Monitor;
}

namespace placement {

// The calendar (its size on the screen) fits on the part of the wallpaper
// the screen shows when neither side is larger; equal sizes fit. Both in
// device pixels.
bool calendarFitsShown(QSizeF calendar, QSizeF shownWallpaper);

// The message for a wallpaper large enough for the calendar of which too
// little is on the screen: `onScreen` of it (device pixels) shows, the rest
// lies beyond the screen's edge. `origin`: where the wallpaper was placed,
// when it was placed at an origin.
QString partlyOnScreenMessage(QSize calendar, QSize onScreen, std::optional<QPoint> origin);

// How a picture in `mode` is sized for `monitor`: drawings are rendered at
// the size the desktop shows them, background descriptions pick the variant
// for the monitor. `span`: all monitors, native pixels.
tk::PictureTarget pictureTarget(desktop::PictureMode mode, const composition::Monitor& monitor,
                                const QRect& span);

}  // namespace placement
