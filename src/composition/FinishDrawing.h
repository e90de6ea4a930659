#pragma once
// How a finish draws its picture, decided from its plan before any pixel is
// drawn.

#include <optional>

#include "composition/FinishRecord.h"

namespace composition {

struct FinishDrawing {
    // The preview's calendar is the one calendar on the picture as loaded:
    // the picture is what the preview showed.
    bool asPreviewed = false;
    // The calendars are drawn onto the loaded picture itself, not a copy.
    bool onLoaded = false;
    // The desktop shows the picture tiled: it is the original's size or a
    // block of its tiles, on a desktop that tiles it.
    bool tiled = false;
};

// `preview` is the calendar of the last preview; `desktopTiles` whether the
// desktop tiles the wallpaper now.
FinishDrawing finishDrawing(const FinishPlan& plan, const std::optional<PlacedCalendar>& preview,
                            bool desktopTiles);

}  // namespace composition
