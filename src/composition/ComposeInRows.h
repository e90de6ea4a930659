#pragma once
// Calendars drawn on a bitmap wallpaper that is read only where they reach:
// the rows they leave alone go from the wallpaper's file to the output as
// they are. It gives the bytes composeCalendars on the whole picture, saved
// by SavePictureAsBitmap, gives, with a fraction of the reading, the
// converting and the memory.

#include <QByteArray>
#include <QString>
#include <vector>

#include "composition/CalendarComposition.h"

namespace composition {

struct RowsComposed {
    // False: this way does not suit (not such a bitmap, a calendar squashed
    // for the desktop, a hash other than expected, a failed drawing) and
    // nothing was written; the whole picture is to be composed instead.
    bool done = false;
    QString error;  // when done: why `out` was not written; empty when it was
};

// `calendars` drawn on the bitmap `base`, saved as a bitmap at `out`, when
// `base` is a bitmap the fast reader takes, its content hash is
// `expectedHash` (when not empty), and each calendar is drawn at the
// picture's own pixels.
RowsComposed composeInRows(const QString& base, const std::vector<PlacedCalendar>& calendars,
                           const QString& out, const QByteArray& expectedHash = {});

}  // namespace composition
