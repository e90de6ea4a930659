#include "cli/RecordCommands.h"

#include <QFileInfo>
#include <QLocale>
#include <algorithm>

#include "cli/Console.h"
#include "composition/ComposeInRows.h"
#include "composition/CompositionRecord.h"
#include "composition/KeptOriginal.h"
#include "composition/RecordLock.h"
#include "system/desktop/DesktopBackend.h"
#include "system/desktop/DesktopFactory.h"
#include "system/desktop/WallpaperFiles.h"
#include "system/wallpaper/WallpaperStore.h"
#include "toolkit/Translations.h"
#include "toolkit/picture/PictureFile.h"

namespace cli {

using tk::Text;

using composition::ReadResult;
using composition::Record;

namespace {

// The record, or the exit status when there is none to work on.
struct Loaded {
    Record record;
    int status = -1;  // -1: go on
    std::vector<int> damagedCalendars;
    std::vector<int> calendarNumbers;  // the hive's number of each of record.calendars
};

// `partlyDamaged`: a record damaged only in calendar lines will do.
Loaded loadRecord(const QString& whenMissing, int missingStatus, bool partlyDamaged = false) {
    const ReadResult r = composition::readRecord();
    Loaded l;
    if (partlyDamaged && r.onlyCalendarsDamaged()) {
        l.record = r.record;
        l.damagedCalendars = r.damagedCalendars;
        l.calendarNumbers = r.calendarNumbers;
        return l;
    }
    l.calendarNumbers = r.calendarNumbers;
    switch (r.state) {
        case ReadResult::State::Ok:
            l.record = r.record;
            break;
        case ReadResult::State::Missing:
            (missingStatus == 0 ? say(whenMissing) : complain(whenMissing));
            l.status = missingStatus;
            break;
        case ReadResult::State::Damaged:
            complain(Text::tr("%1; it was left as it is").arg(r.error));
            l.status = 1;
            break;
        case ReadResult::State::Unreadable:
            complain(r.error);
            l.status = 1;
            break;
    }
    return l;
}

// The recorded desktop's backend, in `backend`. Empty when it can be used.
QString useDesktop(const Record& rec, std::unique_ptr<desktop::DesktopBackend>* backend) {
    const desktop::DesktopContext context;
    auto made = desktop::createDesktopBackend(rec.desktop, context);
    if (!made) {
        return Text::tr("the recorded desktop \"%1\" is not known").arg(rec.desktop);
    }
    if (const QString missing = made->missingFromSession(); !missing.isEmpty()) {
        return Text::tr("cannot reach the desktop (%1): %2").arg(rec.desktop, missing);
    }
    *backend = std::move(made);
    return {};
}

bool samePath(const QString& a, const QString& b) {
    return !a.isEmpty() && !b.isEmpty() &&
           QFileInfo(desktop::originalOfShownCopy(a)).absoluteFilePath() ==
               QFileInfo(b).absoluteFilePath();
}

// Hands `picture` to the desktop as the placement's finish does.
QString apply(desktop::DesktopBackend& desktop, const QString& picture, bool tiled) {
    sys::WallpaperStore store(desktop);
    sys::WallpaperSettings settings = store.load();
    settings.picture = picture;
    settings.tiled = tiled;
    const sys::WallpaperResult applied = store.apply(settings);
    if (applied.ok && !applied.note.isEmpty()) {
        say(Text::tr("The desktop: %1.").arg(applied.note));
    }
    return applied.ok ? QString() : applied.error;
}

// Which month a calendar shows, in words.
QString monthRule(const composition::RecordedCalendar& c) {
    if (c.forComingMonth()) {
        return QStringLiteral(
                   "placed in the last week of %1 for the month after: this month from "
                   "%2 on")
            .arg(composition::monthText(c.placedIn), composition::monthText(c.placedIn + 1));
    }
    switch (c.offset) {
        case 0:
            return QStringLiteral("this month");
        case 1:
            return QStringLiteral("next month");
        case -1:
            return QStringLiteral("last month");
        default:
            return c.offset > 0 ? QStringLiteral("%1 months ahead").arg(c.offset)
                                : QStringLiteral("%1 months back").arg(-c.offset);
    }
}

QDate dayOf(const RefreshOptions& o) {
    return o.date.isValid() ? o.date : QDate::currentDate();
}

// The record's calendars for `target` drawn on the kept original and saved
// over the output. Empty when done, else the line for the user; `hashNew`
// tells whether the kept original's hash was worked out afresh.
QString composeRenewal(Record& rec, int target, bool* hashNew) {
    std::vector<composition::PlacedCalendar> calendars;
    for (const auto& c : rec.calendars) {
        calendars.push_back(c.forMonth(target));
    }
    if (!rec.locale.isEmpty()) {
        QLocale::setDefault(QLocale(rec.locale));  // the month titles as the finish drew them
    }
    *hashNew = false;
    if (rec.layout.isOriginal() && !rec.keptHash.isEmpty() && QFileInfo(rec.kept).isFile()) {
        // The kept original as it was kept: only the rows the calendars reach are read.
        const composition::RowsComposed rows =
            composition::composeInRows(rec.kept, calendars, rec.output, rec.keptHash);
        if (rows.done) {
            return rows.error.isEmpty() ? QString()
                                        : Text::tr("cannot write %1: %2; nothing was changed")
                                              .arg(rec.output, rows.error);
        }
    }
    composition::KeptOriginal base = composition::loadKeptOriginal(&rec);
    if (!base.error.isEmpty()) {
        return Text::tr("%1; nothing was changed").arg(base.error);
    }
    *hashNew = base.hashNew;
    const QImage composed =
        composition::composeLayout(std::move(base.image), rec.layout, calendars);
    if (composed.isNull()) {
        return Text::tr("%1; nothing was changed").arg(composition::drawingFailure());
    }
    if (const tk::SaveResult saved = tk::SavePictureAsBitmap(composed, rec.output); !saved.ok) {
        return Text::tr("cannot write %1: %2; nothing was changed").arg(rec.output, saved.error);
    }
    return {};
}

// The record says the output now shows `target`'s calendars.
QString recordRenewal(const Record& rec, int target, bool resuming, bool hashNew) {
    QString e =
        composition::setRecordValue(QStringLiteral("ComposedFor"), composition::monthText(target));
    if (e.isEmpty() && resuming) {
        e = composition::setRecordValue(QStringLiteral("Restored"), QStringLiteral("0"));
    }
    if (e.isEmpty() && hashNew) {
        e = composition::setRecordValue(QStringLiteral("KeptHash"),
                                        QString::fromLatin1(rec.keptHash));
    }
    return e;
}

void reportRenewal(const Record& rec, int target) {
    say(Text::tr("Renewed %1 for %2 with %3 calendar(s) (desktop: %4).")
            .arg(rec.output, composition::monthText(target))
            .arg(rec.calendars.size())
            .arg(rec.desktop));
    for (size_t n = 0; n < rec.calendars.size(); ++n) {
        const composition::PlacedCalendar shown = rec.calendars[n].forMonth(target);
        say(Text::tr("  calendar %1 shows %2 (%3)")
                .arg(n + 1)
                .arg(composition::monthText(composition::monthIndex(shown.year, shown.month)),
                     monthRule(rec.calendars[n])));
    }
}

}  // namespace

RefreshDecision decideRefresh(const Record& record, QDate day, bool resume, bool outputExists) {
    RefreshDecision d;
    d.target = composition::monthIndex(day.year(), day.month());
    d.resuming = record.restored && resume;
    if (record.restored && !d.resuming) {
        d.step = RefreshStep::LeaveRestored;
    } else if (!d.resuming && record.composedFor == d.target && outputExists) {
        d.step = RefreshStep::AlreadyCurrent;
    }
    return d;
}

int refreshWallpaper(const RefreshOptions& options) {
    // A user who never placed a calendar gets no files from the login's refresh.
    if (composition::readRecord().state == ReadResult::State::Missing) {
        say(Text::tr("Nothing to renew: no calendar has been placed on a wallpaper yet."));
        return 0;
    }
    composition::RecordLock lock;
    if (!lock.acquire(0)) {
        say(Text::tr("Another tessaryn refresh is running; this one leaves it alone."));
        return 0;
    }
    Loaded l = loadRecord(
        Text::tr("Nothing to renew: no calendar has been placed on a wallpaper yet."), 0);
    if (l.status >= 0) {
        return l.status;
    }
    Record& rec = l.record;
    const RefreshDecision decision =
        decideRefresh(rec, dayOf(options), options.resume, QFileInfo::exists(rec.output));
    const int target = decision.target;
    const bool resuming = decision.resuming;
    if (decision.step == RefreshStep::LeaveRestored) {
        say(
            Text::tr("The original wallpaper was restored; nothing was renewed "
                     "(tessaryn refresh --resume renews it again)."));
        return 0;
    }
    if (decision.step == RefreshStep::AlreadyCurrent) {
        say(Text::tr("The calendar picture is already current for %1; nothing was changed.")
                .arg(composition::monthText(target)));
        return 0;
    }
    std::unique_ptr<desktop::DesktopBackend> backend;
    if (const QString e = useDesktop(rec, &backend); !e.isEmpty()) {
        complain(Text::tr("%1; nothing was changed").arg(e));
        return 1;
    }
    const QString shown = sys::WallpaperStore(*backend).load().picture;
    const bool ours = composition::isOurOutput(shown, rec.output);
    const bool original = samePath(shown, rec.original) || samePath(shown, rec.kept);
    if (!ours && !(resuming && original)) {
        say(Text::tr("The desktop shows %1 now, not the calendar picture; nothing was changed.")
                .arg(shown.isEmpty() ? Text::tr("no picture") : shown));
        return 0;
    }
    bool hashNew = false;
    if (const QString e = composeRenewal(rec, target, &hashNew); !e.isEmpty()) {
        complain(e);
        return 1;
    }
    if (const QString e = apply(*backend, rec.output, rec.layout.tiled); !e.isEmpty()) {
        complain(Text::tr("%1 was renewed, but the desktop (%2) did not take it: %3")
                     .arg(rec.output, rec.desktop, e));
        return 1;
    }
    if (const QString e = recordRenewal(rec, target, resuming, hashNew); !e.isEmpty()) {
        complain(e);
        return 1;
    }
    reportRenewal(rec, target);
    return 0;
}

int restoreOriginal(bool force) {
    composition::RecordLock lock;
    if (!lock.acquire(2000)) {
        complain(lock.error());
        return 1;
    }
    Loaded l = loadRecord(Text::tr("nothing to restore: no wallpaper was composed yet"), 1, true);
    if (l.status >= 0) {
        return l.status;
    }
    const Record& rec = l.record;
    // The user's own file when it is still there, else our copy of it.
    QString picture = rec.original;
    if (!desktop::checkPicture(picture).error.isEmpty()) {
        if (const QString e = composition::keptCopyProblem(rec); !e.isEmpty()) {
            complain(Text::tr("the original %1 is gone and %2; nothing was changed")
                         .arg(rec.original, e));
            return 1;
        }
        picture = rec.kept;
    }
    std::unique_ptr<desktop::DesktopBackend> backend;
    if (const QString e = useDesktop(rec, &backend); !e.isEmpty()) {
        complain(Text::tr("%1; nothing was changed").arg(e));
        return 1;
    }
    const auto ours = [&rec](const QString& shown) {
        return composition::isOurOutput(shown, rec.output);
    };
    QStringList leftAlone;
    int restored = 0;
    if (!rec.places.isEmpty()) {
        // Each place gets back what it showed before the first finish.
        const auto r = backend->restorePlaces(
            {rec.places, ours, force, picture != rec.original ? rec.original : QString(), picture});
        if (!r.applied.ok) {
            complain(Text::tr("the desktop (%1) did not take back what it showed: %2")
                         .arg(rec.desktop, r.applied.error));
            return 1;
        }
        restored = r.restored;
        leftAlone = r.leftAlone;
    } else {
        const QString shown = sys::WallpaperStore(*backend).load().picture;
        if (samePath(shown, rec.original) || samePath(shown, rec.kept)) {
            // Shows the original already.
        } else if (!force && !ours(shown)) {
            leftAlone << (shown.isEmpty() ? Text::tr("no picture") : shown);
        } else if (const QString e = apply(*backend, picture, rec.tile != 0); !e.isEmpty()) {
            complain(Text::tr("the desktop (%1) did not take %2: %3").arg(rec.desktop, picture, e));
            return 1;
        } else {
            restored = 1;
        }
    }
    if (!leftAlone.isEmpty()) {
        say(Text::tr("Left alone, as it shows a picture tessaryn did not make: %1 "
                     "(tessaryn restore --force restores it too).")
                .arg(leftAlone.join(QStringLiteral(", "))));
    }
    if (restored == 0 && !leftAlone.isEmpty()) {
        say(Text::tr("Nothing was restored."));
        return 0;
    }
    if (const QString e =
            composition::setRecordValue(QStringLiteral("Restored"), QStringLiteral("1"));
        !e.isEmpty()) {
        complain(e);
        return 1;
    }
    say(Text::tr("Restored %1 as the wallpaper (desktop: %2). tessaryn refresh leaves it "
                 "alone until the next placement or tessaryn refresh --resume.")
            .arg(picture, rec.desktop));
    return 0;
}

int listCalendars() {
    Loaded l =
        loadRecord(QStringLiteral("No calendar has been placed on a wallpaper yet."), 0, true);
    if (l.status >= 0) {
        return l.status;
    }
    const Record& rec = l.record;
    say(QStringLiteral("Original: %1 (kept as %2)").arg(rec.original, rec.kept));
    say(QStringLiteral("Picture:  %1, %2, desktop %3%4")
            .arg(rec.output,
                 rec.composedFor
                     ? QStringLiteral("composed for ") + composition::monthText(*rec.composedFor)
                     : QStringLiteral("to be composed again"),
                 rec.desktop, rec.restored ? QStringLiteral(", original restored") : QString()));
    for (const int bad : l.damagedCalendars) {
        say(QStringLiteral("%1. damaged: it cannot be read (tessaryn forget %1 drops it)")
                .arg(bad));
    }
    int n = 0;
    for (const auto& c : rec.calendars) {
        const composition::PlacedCalendar& p = c.look;
        const QString relative = monthRule(c);
        say(QStringLiteral("%1. placed in %2 showing %3 (%4), at %5,%6, %7 px %8")
                .arg(l.calendarNumbers[static_cast<size_t>(n++)])
                .arg(composition::monthText(c.placedIn),
                     composition::monthText(c.placedIn + c.offset), relative)
                .arg(p.at.x())
                .arg(p.at.y())
                .arg(p.fontPixels, 0, 'g', 4)
                .arg(p.face));
    }
    if (n == 0 && l.damagedCalendars.empty()) {
        say(QStringLiteral("No calendars on it."));
    }
    return 0;
}

int forgetCalendar(int number) {
    composition::RecordLock lock;
    if (!lock.acquire(2000)) {
        complain(lock.error());
        return 1;
    }
    Loaded l = loadRecord(Text::tr("no calendar has been placed on a wallpaper yet"), 1, true);
    if (l.status >= 0) {
        return l.status;
    }
    Record& rec = l.record;
    if (std::find(l.damagedCalendars.begin(), l.damagedCalendars.end(), number) !=
        l.damagedCalendars.end()) {
        rec.composedFor.reset();
        if (const QString e = composition::writeRecord(rec); !e.isEmpty()) {
            complain(e);
            return 1;
        }
        QStringList dropped;
        for (const int bad : l.damagedCalendars) {
            dropped << QString::number(bad);
        }
        say(Text::tr("Forgot the damaged calendar(s) %1; the others are numbered afresh "
                     "(tessaryn list).")
                .arg(dropped.join(QStringLiteral(", "))));
        return 0;
    }
    const auto at = std::find(l.calendarNumbers.begin(), l.calendarNumbers.end(), number);
    if (at == l.calendarNumbers.end()) {
        complain(Text::tr("there is no calendar %1 (tessaryn list shows %2)")
                     .arg(number)
                     .arg(rec.calendars.size() + l.damagedCalendars.size()));
        return 1;
    }
    if (!l.damagedCalendars.empty()) {
        complain(Text::tr("calendar %1 cannot be read; forget it first (tessaryn forget %1)")
                     .arg(l.damagedCalendars.front()));
        return 1;
    }
    const auto index = at - l.calendarNumbers.begin();
    const auto gone = rec.calendars[static_cast<size_t>(index)];
    rec.calendars.erase(rec.calendars.begin() + index);
    rec.composedFor.reset();  // the picture still shows it: the next refresh redraws
    if (const QString e = composition::writeRecord(rec); !e.isEmpty()) {
        complain(e);
        return 1;
    }
    say(Text::tr("Forgot calendar %1 (placed in %2 at %3,%4); the next tessaryn refresh "
                 "draws the picture without it.")
            .arg(number)
            .arg(composition::monthText(gone.placedIn))
            .arg(gone.look.at.x())
            .arg(gone.look.at.y()));
    return 0;
}

}  // namespace cli
