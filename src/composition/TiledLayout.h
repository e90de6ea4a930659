#pragma once
// What the finish writes for a tiled wallpaper: not the one tile, which the
// desktop would repeat with the calendar cut at its edge, but the smallest
// block of whole tiles that holds the calendar and that the desktop, tiling
// it, lines up with the tiles it showed; where no block up to the monitor's
// size does, a monitor-sized picture of the tiles, shown centred. Where the
// desktop stretches one tile over the monitor instead, a monitor-sized
// picture of that stretched tile, shown centred: the calendar is drawn on it
// at the monitor's own pixels, not squashed into the tile.

#include <QImage>
#include <QPoint>
#include <QRectF>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

#include "composition/CalendarComposition.h"
#include "composition/WallpaperGeometry.h"

namespace composition {

struct PictureLayout {
    // The picture's size; empty: the original as it is.
    QSize size;
    // The point of the endlessly tiled original, counted from a tile's
    // corner, at the picture's top-left corner.
    QPoint offset;
    // Shown tiled (a block of tiles) or centred (a monitor-sized picture).
    bool tiled = false;
    // A monitor-sized picture of one copy of the original stretched over it,
    // starting with the original's pixel `offset` and wrapped; shown centred.
    // Its calendars are placed in its own pixels.
    bool stretched = false;

    bool isOriginal() const { return size.isEmpty(); }
    // The point, where the calendars are placed, at the picture's top-left
    // corner: in the tiled original's pixels `offset`, else the corner.
    QPoint calendarOrigin() const { return stretched ? QPoint() : offset; }
};

// The layout for a calendar covering `calendar` (device pixels of `monitor`)
// on a tiled wallpaper shown as `show`.
PictureLayout tiledLayout(const WallpaperShow& show, const Monitor& monitor,
                          const QRectF& calendar);

// The layout where `mapping` stretches one tile over the monitor.
PictureLayout stretchedTileLayout(const WallpaperMapping& mapping);

// The picture `layout` makes of `original`, with the calendars (placed in
// the tiled original's pixels) drawn on it. The finish and the refresh both
// compose through here; an original moved in is drawn on in place.
QImage composeLayout(QImage original, const PictureLayout& layout,
                     const std::vector<PlacedCalendar>& calendars);

// "1280x800+-490+-300 centred", "600x400+40+190 tiled", "1280x800+110+0
// stretched"; nothing for the original.
QString layoutText(const PictureLayout& layout);
std::optional<PictureLayout> parseLayoutText(const QString& text);

}  // namespace composition
