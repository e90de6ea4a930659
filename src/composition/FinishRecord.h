#pragma once
// The placement's finish tells the composition record what it drew, so that
// the picture can be renewed every month and the original put back.

#include <QImage>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "composition/CalendarComposition.h"
#include "composition/CompositionRecord.h"
#include "composition/TiledLayout.h"

namespace desktop {
class DesktopBackend;
}

namespace composition {

// The finish, made under the record lock (the caller holds a RecordLock from
// before planFinish until completeFinish), composes as a refresh does: every
// recorded calendar, for this month, on the kept original as it is now.
struct FinishPlan {
    QImage base;                            // the picture the calendars are drawn on
    bool baseIsLoaded = true;               // base is the picture the placement loaded
    std::vector<PlacedCalendar> calendars;  // drawn in this order
    PictureLayout layout;                   // what the calendars are composed into
    bool onOurOutput = false;               // the placement started from our own picture
    bool recorded = false;                  // record holds what the picture will show
    QString message;                        // why it is not recorded
    Record record;
    std::optional<Record> previous;  // the record before, put back when the save fails
};

// `originalPath` is the wallpaper the placement started from and
// `loadedOriginal` that picture as the placement loaded it, `loadedHash` the
// content hash of its file (empty when unknown); `desktop` the desktop the
// picture goes to, whose name and places the record keeps; `calendar` is the calendar
// of the last preview (none when it was finished without a preview), `tiled`
// whether the wallpaper was tiled, and `layout` what the output makes
// of a tiled original. When the placement started from our own output, the
// calendar joins the record of that output and its layout; from any other
// picture, a new record starts with that picture as the original. May write
// the kept copy of a new original. Before the kept original of our output is
// loaded, `letGoOfLoaded` (where given) is called: the caller may let go of
// `loadedOriginal` then. Where the kept original cannot be used after that,
// the plan's base is `loadedOriginal` as it is by then.
FinishPlan planFinish(const QString& originalPath, const QImage& loadedOriginal,
                      const QByteArray& loadedHash, desktop::DesktopBackend& desktop,
                      const std::optional<PlacedCalendar>& calendar, bool tiled,
                      const PictureLayout& layout = {},
                      const std::function<void()>& letGoOfLoaded = {});
// Before the picture is saved: the planned record, marked as still to be
// composed, so that a finish cut short is composed again by the next refresh.
QString beginFinish(const FinishPlan& plan);
// The picture was not saved: the record as it was before.
QString undoFinish(const FinishPlan& plan);
// The picture was saved: it shows the record's composition.
QString completeFinish(const FinishPlan& plan);

}  // namespace composition
