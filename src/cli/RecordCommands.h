#pragma once
// The commands that work on the composition record without a window:
// renewing the calendar picture for a month, putting the original back,
// listing and forgetting calendars. Each returns the exit status (0 done or
// nothing to do, 1 failed) and tells the user what happened.

#include <QDate>

namespace composition {
struct Record;
}

namespace cli {

struct RefreshOptions {
    QDate date;           // the day to renew for; today when null
    bool resume = false;  // renew even after a restore
};

int refreshWallpaper(const RefreshOptions& options);

// What a refresh does with the record for a day, before it asks the desktop:
// leave a restored original alone (unless resumed), leave a picture that
// already shows that month, or renew it.
enum class RefreshStep { LeaveRestored, AlreadyCurrent, Renew };
struct RefreshDecision {
    RefreshStep step = RefreshStep::Renew;
    int target = 0;         // the month to show, as composition::monthIndex counts
    bool resuming = false;  // renewing after a restore
};
RefreshDecision decideRefresh(const composition::Record& record, QDate day, bool resume,
                              bool outputExists);
// Places that show a picture we did not make are left alone unless `force`.
int restoreOriginal(bool force = false);
int listCalendars();
int forgetCalendar(int number);

}  // namespace cli
