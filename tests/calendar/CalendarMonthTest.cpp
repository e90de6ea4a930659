// Which month the calendar holds, and the colour store.
#include <gtest/gtest.h>

#include "calendar/MonthCalendar.h"
#include "toolkit/PictureSurface.h"

namespace {

struct MonthCase {
    tk::Ymd written;
    tk::Ymd first;
    int firstWeekday;
    int days;
};

class CalendarMonth : public ::testing::TestWithParam<MonthCase> {};

TEST_P(CalendarMonth, KeepsFirstDayAndDescribesTheMonth) {
    const MonthCase& c = GetParam();
    MonthCalendar cal(QDate(1999, 1, 1));
    cal.setDisplayMonth(tk::makeSerialDate(c.written.year, c.written.month, c.written.day));
    EXPECT_EQ(cal.DisplayMonth(), tk::makeSerialDate(c.first.year, c.first.month, 1));
    EXPECT_EQ(cal.FirstWeekday(), c.firstWeekday);
    EXPECT_EQ(cal.DaysInMonth(), c.days);
}

INSTANTIATE_TEST_SUITE_P(
    Months, CalendarMonth,
    ::testing::Values(MonthCase{{1999, 3, 15}, {1999, 3, 1}, 2, 31},    // mid-month rounds down
                      MonthCase{{1998, 12, 31}, {1998, 12, 1}, 3, 31},  // next month is next year
                      MonthCase{{1999, 2, 1}, {1999, 2, 1}, 2, 28},
                      MonthCase{{2000, 2, 10}, {2000, 2, 1}, 3, 29},  // Gregorian leap year
                      MonthCase{{1900, 2, 1}, {1900, 2, 1}, 5, 28},   // century, not leap
                      MonthCase{{1998, 8, 1}, {1998, 8, 1}, 7, 31},   // starts on a Saturday
                      MonthCase{{1998, 2, 1}, {1998, 2, 1}, 1, 28},   // starts on a Sunday
                      MonthCase{{2026, 4, 30}, {2026, 4, 1}, 4, 30}));

TEST(CalendarObject, StartsAtTheCurrentMonth) {
    MonthCalendar cal(QDate(2026, 3, 5));
    EXPECT_EQ(cal.DisplayMonth(), tk::makeSerialDate(2026, 3, 1));
    EXPECT_EQ(cal.FirstWeekday(), 1);  // 1 March 2026 is a Sunday
    EXPECT_EQ(cal.DaysInMonth(), 31);
}

TEST(CalendarObject, AFirstOfMonthWithATimeOfDayStillHoldsTheMonth) {
    MonthCalendar cal(QDate(1999, 1, 1));
    cal.setDisplayMonth(tk::makeSerialDate(1999, 3, 1) + 0.75);
    EXPECT_EQ(tk::Day(cal.DisplayMonth()), 1);
    EXPECT_EQ(tk::Month(cal.DisplayMonth()), 3);
    EXPECT_EQ(cal.DaysInMonth(), 31);
}

TEST(CalendarObject, ColourIndexOutsideTheFourKindsFailsAndStoresNothing) {
    MonthCalendar cal(QDate(1999, 1, 1));
    const int32_t colours[] = {0x00FFFFFF, 0x000000FF, 0x00FF0000,
                               static_cast<int32_t>(0x80000011u)};
    for (int16_t k = 0; k < 4; ++k) {
        cal.setFontColor(k, colours[k]);
    }
    EXPECT_THROW(cal.setFontColor(4, 0x123456), SubscriptOutOfRange);
    EXPECT_THROW(cal.setFontColor(-1, 0x123456), SubscriptOutOfRange);
    EXPECT_THROW((void)cal.FontColor(4), SubscriptOutOfRange);
    EXPECT_THROW((void)cal.FontColor(-1), SubscriptOutOfRange);
    for (int16_t k = 0; k < 4; ++k) {
        EXPECT_EQ(cal.FontColor(k), colours[k]) << "kind " << k;
    }
}

TEST(CalendarObject, HoldsOneCountedReferenceToItsPaper) {
    auto first = std::make_shared<tk::PictureSurface>(QSize(10, 10));
    auto second = std::make_shared<tk::PictureSurface>(QSize(10, 10));
    {
        MonthCalendar cal(QDate(1999, 1, 1));
        cal.setPaper(first);
        EXPECT_EQ(first.use_count(), 2);
        cal.setPaper(second);
        EXPECT_EQ(first.use_count(), 1) << "the previous surface is released";
        EXPECT_EQ(second.use_count(), 2);
        EXPECT_EQ(cal.Paper(), second);
    }
    EXPECT_EQ(second.use_count(), 1) << "destroying the calendar releases its surface";
}

}  // namespace
