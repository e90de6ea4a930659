#pragma once
// What Tessavel.bmp is made of, kept in the hive under
// HKEY_CURRENT_USER\Software\Tessaryn\Composition: the user's own picture, our
// copy of it as the placement loaded it, the desktop that shows the result,
// and every calendar placed on it. With this the picture can be rebuilt for
// another month, or the original put back, without a window.

#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>
#include <vector>

#include "composition/CalendarComposition.h"
#include "composition/TiledLayout.h"

namespace composition {

inline constexpr char kRecordKey[] = "Software\\Tessaryn\\Composition";

// A month as a count (year * 12 + month - 1), so that offsets add up.
int monthIndex(int year, int month);
int yearOf(int index);
int monthOf(int index);
QString monthText(int index);                   // "2026-12"
std::optional<int> parseMonth(const QString&);  // "2026-12" back

struct RecordedCalendar {
    PlacedCalendar look;  // year and month: those it showed when placed
    int placedIn = 0;     // the month index it was placed in
    int offset = 0;       // the month it showed, relative to placedIn
    QDate placedOn;       // the day it was placed; null in records from before it was kept

    // A calendar placed in the last week of a month for the month after is
    // meant for that month: from the 1st on it shows the current month.
    bool forComingMonth() const;
    // The month it shows in the month `current`, relative to `current`.
    int offsetIn(int current) const;

    // The calendar as it is drawn for the month `current`.
    PlacedCalendar forMonth(int current) const;
};

struct Record {
    QString original;                // the user's picture, as the desktop named it
    QString kept;                    // our copy of it as the placement loaded it
    qint64 keptSize = 0;             // bytes, to notice a replaced copy
    qint64 keptModified = 0;         // ms since the epoch, the same
    QString desktop;                 // the backend that applied the result
    int tile = 0;                    // the original's tiling, for a restore
    PictureLayout layout;            // the output made of a tiled original
    QString output;                  // the composed picture (Tessavel.bmp)
    std::optional<int> composedFor;  // the month the output shows; none: needs composing
    bool restored = false;           // the original was put back; refresh leaves it alone
    std::vector<RecordedCalendar> calendars;
    // XXH3-128 of the kept copy's bytes, as hex; empty in old records.
    QByteArray keptHash;
    // What each place of the desktop showed before (the backend's text).
    QString places;
    // The locale the month titles are drawn in ("ja_JP"); empty: the system's.
    QString locale;
};

struct ReadResult {
    enum class State { Missing, Ok, Damaged, Unreadable } state = State::Missing;
    Record record;
    QString error;  // one line for Damaged and Unreadable
    // Damaged only in some "Calendar N" lines: the record holds every other
    // value and calendar, with the number each calendar has in the hive;
    // restore, list and forget work on it.
    std::vector<int> damagedCalendars;
    std::vector<int> calendarNumbers;
    bool onlyCalendarsDamaged() const {
        return state == State::Damaged && !damagedCalendars.empty();
    }
};

ReadResult readRecord();

// Replaces the whole record. Empty error on success.
QString writeRecord(const Record& record);
// Removes the whole record. Empty error on success.
QString removeRecord();
// Adds one calendar as "Calendar N+1" in one write.
QString appendCalendar(const RecordedCalendar& calendar, int number);
// Sets one value of the record (composedFor, restored, ...).
QString setRecordValue(const QString& name, const QString& text);

// The text of one calendar's entry, and back.
QString calendarText(const RecordedCalendar& calendar);
std::optional<RecordedCalendar> parseCalendarText(const QString& text);

// Where the composed picture goes, and where the kept copy of an original
// with the suffix `suffix` goes.
QString outputPath();
QString keptPathFor(const QString& suffix);

// True when `path` is our composed picture or one of the copies handed to a
// desktop (".Tessavel.bmp.shown-1.bmp").
bool isOurOutput(const QString& path, const QString& recordedOutput = {});

// The kept copy: present, and the recorded bytes (by its hash; in old
// records by its size and time)? Empty when it is, else why not. Reads the
// whole file when the record has a hash.
QString keptCopyProblem(const Record& record);

// Why a kept copy cannot be used, with the way out.
QString keptCopyMissing(const Record& record);
QString keptCopyChanged(const Record& record);

}  // namespace composition
