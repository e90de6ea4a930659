#pragma once
// What the placement reads from the main window when it draws the calendar
// onto the wallpaper: the chosen year and month, and the colour of each kind
// of calendar text.

#include <cstdint>

namespace placement {

class CalendarChoice {
public:
    virtual ~CalendarChoice() = default;
    virtual int year() const = 0;                    // 0 while none is chosen
    virtual int month() const = 0;                   // 1..12, 0 while none is chosen
    virtual int32_t kindColor(int index) const = 0;  // 0 title, 1 Sunday, 2 Saturday, 3 weekdays
};

}  // namespace placement
