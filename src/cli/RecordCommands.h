#pragma once
// The commands that work on the composition record without a window:
// renewing the calendar picture for a month, putting the original back,
// listing and forgetting calendars. Each returns the exit status (0 done or
// nothing to do, 1 failed) and tells the user what happened.

#include <QDate>

namespace cli {

struct RefreshOptions {
    QDate date;           // the day to renew for; today when null
    bool resume = false;  // renew even after a restore
};

int refreshWallpaper(const RefreshOptions& options);
// Places that show a picture we did not make are left alone unless `force`.
int restoreOriginal(bool force = false);
int listCalendars();
int forgetCalendar(int number);

}  // namespace cli
