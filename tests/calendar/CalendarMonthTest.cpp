// Which month is drawn for a day: its first weekday and its length, the
// title, and months that roll over.
#include <gtest/gtest.h>

#include <QLocale>
#include <algorithm>

#include "calendar/RecordingSurface.h"

namespace {

struct MonthCase {
    QDate written;
    int firstColumn;  // 0 = Sunday
    int days;
};

class CalendarMonth : public ::testing::TestWithParam<MonthCase> {};

TEST_P(CalendarMonth, DrawsTheWholeMonthOfTheDay) {
    const MonthCase& c = GetParam();
    const Drawn d = drawRecorded(c.written);
    // The title, seven labels and a (tens, units) pair for each day.
    EXPECT_EQ(d.colour[0].text, calendar::monthTitle(c.written));
    ASSERT_EQ(d.colour.size(), 1 + 7 + 2 * size_t(c.days));
    // Day 1's units digit: the only "1" in the first row of days.
    const auto one = std::find_if(d.colour.begin(), d.colour.end(), [](const DrawnText& t) {
        return t.text == QStringLiteral("1") && t.y == 36;
    });
    ASSERT_NE(one, d.colour.end());
    EXPECT_EQ(one->x, (2 * c.firstColumn + 1) * 12 + 7);
}

INSTANTIATE_TEST_SUITE_P(Months, CalendarMonth,
                         ::testing::Values(MonthCase{{1999, 3, 15}, 1, 31},  // mid-month
                                           MonthCase{{1998, 12, 31}, 2, 31},
                                           MonthCase{{1999, 2, 1}, 1, 28},
                                           MonthCase{{2000, 2, 10}, 2, 29},  // Gregorian leap year
                                           MonthCase{{1900, 2, 1}, 4, 28},   // century, not leap
                                           MonthCase{{1998, 8, 1}, 6, 31},   // starts on a Saturday
                                           MonthCase{{1998, 2, 1}, 0, 28},   // starts on a Sunday
                                           MonthCase{{2026, 4, 30}, 3, 30}));

TEST(CalendarMonth, MonthsOutsideTheYearRollOver) {
    EXPECT_EQ(calendar::firstOfMonth(1999, 3), QDate(1999, 3, 1));
    EXPECT_EQ(calendar::firstOfMonth(1998, 13), QDate(1999, 1, 1));
    EXPECT_EQ(calendar::firstOfMonth(1999, 0), QDate(1998, 12, 1));
    EXPECT_EQ(calendar::firstOfMonth(1999, -12), QDate(1997, 12, 1));
}

TEST(CalendarMonth, TitleUsesTheLocaleAndFourDigitYear) {
    const QLocale saved;
    QLocale::setDefault(QLocale::c());
    const QString english = calendar::monthTitle(QDate(1999, 3, 15));
    QLocale::setDefault(saved);
    // QLocale::system() follows LC_TIME; in the C locale the names are English.
    const QString system = calendar::monthTitle(QDate(1999, 3, 15));
    EXPECT_TRUE(system.endsWith(QStringLiteral(" 1999")));
    EXPECT_EQ(system, QLocale::system().standaloneMonthName(3, QLocale::LongFormat) +
                          QStringLiteral(" 1999"));
    EXPECT_EQ(english, QStringLiteral("March 1999"));
    EXPECT_EQ(calendar::monthTitle(QDate(987, 1, 1)).right(5), QStringLiteral(" 0987"));
}

}  // namespace
