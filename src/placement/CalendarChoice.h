#pragma once
// What the placement reads from the main window when it draws the calendar
// onto the wallpaper: the chosen year and month as the lists show them, and
// the colour of each kind of calendar text.

#include <QString>
#include <cstdint>

class CalendarChoice {
public:
    virtual ~CalendarChoice() = default;
    virtual QString yearText() const = 0;
    virtual QString monthText() const = 0;
    virtual int32_t kindColor(int index) const = 0;  // 0 title, 1 Sunday, 2 Saturday, 3 weekdays
};
