#pragma once
// The placement's finish tells the composition record what it drew, so that
// the picture can be renewed every month and the original put back.

#include <QImage>
#include <QString>
#include <optional>

#include "placement/CalendarComposition.h"
#include "placement/TiledLayout.h"

namespace composition {

struct FinishNote {
    bool recorded = false;
    QString message;  // why nothing was recorded; empty when it was
};

// Called once the finish has written Tessavel.bmp. `originalPath` is the
// wallpaper the placement started from and `loadedOriginal` that picture as
// the placement loaded it; `calendar` is the calendar the finish drew on it
// (none when it was finished without a preview); `tile` the tiling the
// wallpaper had (0 untiled); `layout` what the output made of a tiled
// original. When the placement started
// from our own output, the calendar joins the record of that output; from
// any other picture, a new record starts with that picture as the original.
FinishNote recordFinish(const QString& originalPath, const QImage& loadedOriginal,
                        const QString& backendName, const std::optional<PlacedCalendar>& calendar,
                        int16_t tile, const placement::PictureLayout& layout = {});

}  // namespace composition
