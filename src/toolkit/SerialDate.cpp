#include "toolkit/SerialDate.h"

#include <chrono>
#include <cmath>

namespace tk {

namespace {

using namespace std::chrono;

constexpr sys_days kEpoch = sys_days{year{1899} / December / 30};

// The whole-day part; the fraction of a negative date is its time of day too.
long long dayNumber(SerialDate date) {
    return static_cast<long long>(std::trunc(date));
}

}  // namespace

SerialDate makeSerialDate(int y, int m, int d) {
    // Normalise the month first, then let the day count carry the rest.
    long long months = static_cast<long long>(y) * 12 + (m - 1);
    const auto ny = static_cast<int>(months >= 0 ? months / 12 : (months - 11) / 12);
    const auto nm = static_cast<unsigned>(months - static_cast<long long>(ny) * 12 + 1);
    const sys_days first = sys_days{year{ny} / month{nm} / 1};
    return static_cast<SerialDate>((first - kEpoch).count() + (d - 1));
}

Ymd ymdOf(SerialDate date) {
    const year_month_day ymd{kEpoch + days{dayNumber(date)}};
    return Ymd{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
               static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

int Year(SerialDate date) {
    return ymdOf(date).year;
}
int Month(SerialDate date) {
    return ymdOf(date).month;
}
int Day(SerialDate date) {
    return ymdOf(date).day;
}

int Weekday(SerialDate date) {
    const weekday wd{kEpoch + days{dayNumber(date)}};
    return static_cast<int>(wd.c_encoding()) + 1;
}

}  // namespace tk
