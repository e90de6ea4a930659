#pragma once
// The program's date type: a double counting days from 30 December 1899,
// the fraction being the time of day (as -1.25 is 29 December 1899, 06:00).

#include <QString>

namespace tk {

using SerialDate = double;

struct Ymd {
    int year;
    int month;  // 1..12
    int day;    // 1..31
};

// The date of a year, month and day. Months outside 1..12 and days outside
// the month roll over into the neighbouring months and years.
SerialDate makeSerialDate(int year, int month, int day);

Ymd ymdOf(SerialDate date);
int Year(SerialDate date);
int Month(SerialDate date);
int Day(SerialDate date);
// 1 = Sunday ... 7 = Saturday.
int Weekday(SerialDate date);

}  // namespace tk
