#include "composition/ComposeInRows.h"

#include <new>

#include "toolkit/CoveredPixels.h"
#include "toolkit/picture/PartialBitmap.h"

namespace composition {

RowsComposed composeInRows(const QString& base, const std::vector<PlacedCalendar>& calendars,
                           const QString& out, const QByteArray& expectedHash) {
    for (const PlacedCalendar& c : calendars) {
        if (c.uneven()) {
            return {};  // its squashed layer is drawn over the whole picture
        }
    }
    try {
        tk::PartialBitmap bitmap(base);
        if (calendars.empty() || !bitmap.isOpen()) {
            return {};
        }
        // Drawn once on the picture not yet read, to learn which rows the
        // calendars reach; those rows are then read over that drawing.
        tk::CoveredPixels covered;
        if (!drawCalendarsOn(bitmap.image(), calendars, covered)) {
            return {};
        }
        const QRect rows = covered.reach();
        if (!bitmap.readRows(rows.top(), rows.bottom() + 1, !expectedHash.isEmpty()) ||
            (!expectedHash.isEmpty() && bitmap.contentHash() != expectedHash) ||
            !drawCalendarsOn(bitmap.image(), calendars, covered)) {
            return {};
        }
        const QRect drawn = covered.reach();
        if (!drawn.isEmpty() && (drawn.top() < rows.top() || drawn.bottom() > rows.bottom())) {
            return {};  // it reached rows not read: never so far, but not to be saved
        }
        RowsComposed result;
        result.done = true;
        result.error = bitmap.save(out).error;
        return result;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace composition
