#pragma once
// The placement's finish tells the composition record what it drew, so that
// the picture can be renewed every month and the original put back.

#include <QImage>
#include <QString>
#include <optional>
#include <vector>

#include "placement/CalendarComposition.h"
#include "placement/CompositionRecord.h"

namespace composition {

// The finish, made under the record lock (the caller holds a RecordLock from
// before planFinish until completeFinish), composes as a refresh does: every
// recorded calendar, for this month, on the kept original as it is now.
struct FinishPlan {
    QImage base;                            // the picture the calendars are drawn on
    bool baseIsLoaded = true;               // base is the picture the placement loaded
    std::vector<PlacedCalendar> calendars;  // drawn in this order
    bool recorded = false;                  // record holds what the picture will show
    QString message;                        // why it is not recorded
    Record record;
    std::optional<Record> previous;  // the record before, put back when the save fails
};

// `loadedHash` is the content hash of the picture the placement loaded
// (empty when unknown). May write the kept copy of a new original.
FinishPlan planFinish(const QString& originalPath, const QImage& loadedOriginal,
                      const QByteArray& loadedHash, const QString& backendName,
                      const std::optional<PlacedCalendar>& calendar, int16_t tile);
// Before the picture is saved: the planned record, marked as still to be
// composed, so that a finish cut short is composed again by the next refresh.
QString beginFinish(const FinishPlan& plan);
// The picture was not saved: the record as it was before.
QString undoFinish(const FinishPlan& plan);
// The picture was saved: it shows the record's composition.
QString completeFinish(const FinishPlan& plan);

}  // namespace composition
