// Rounding to the program's integers, the date type, and unit conversions.
#include <gtest/gtest.h>

#include <QLocale>

#include "toolkit/Rounding.h"
#include "toolkit/SerialDate.h"
#include "toolkit/Translations.h"
#include "toolkit/Units.h"

namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, int32_t> cases[] = {
        {12.5, 12}, {13.5, 14},   {14.5, 14},     {15.5, 16},     {-0.5, 0}, {-1.5, -2},
        {-2.5, -2}, {0.49999, 0}, {1200.5, 1200}, {1201.5, 1202}, {2.6, 3},  {-2.6, -3}};
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(tk::roundToInt32(in), out) << in;
    }
}

TEST(Rounding, LeavingTheTypeIsAnOverflow) {
    EXPECT_EQ(tk::roundToInt16(32767.4), 32767);
    EXPECT_EQ(tk::roundToInt16(-32768.5), -32768);  // the half goes to the even -32768
    EXPECT_THROW(tk::roundToInt16(32767.5), tk::OverflowError);
    EXPECT_THROW(tk::roundToInt16(-32769), tk::OverflowError);
    EXPECT_EQ(tk::roundToInt32(2147483647.0), 2147483647);
    EXPECT_THROW(tk::roundToInt32(2147483647.5), tk::OverflowError);
    EXPECT_THROW(tk::roundToInt32(std::nan("")), tk::OverflowError);
}

TEST(SerialDate, DayCountFromTheEpoch) {
    EXPECT_EQ(tk::makeSerialDate(1899, 12, 30), 0);
    EXPECT_EQ(tk::makeSerialDate(1899, 12, 29), -1);
    EXPECT_EQ(tk::makeSerialDate(1900, 1, 1), 2);
    EXPECT_EQ(tk::makeSerialDate(2000, 1, 1), 36526);
    EXPECT_EQ(tk::makeSerialDate(2000, 2, 29), 36585);
    // Months and days outside their range roll over.
    EXPECT_EQ(tk::makeSerialDate(1998, 13, 1), tk::makeSerialDate(1999, 1, 1));
    EXPECT_EQ(tk::makeSerialDate(1999, 3, 0), tk::makeSerialDate(1999, 2, 28));
    EXPECT_EQ(tk::makeSerialDate(2000, 0, 1), tk::makeSerialDate(1999, 12, 1));
    EXPECT_EQ(tk::makeSerialDate(2000, -11, 1), tk::makeSerialDate(1999, 1, 1));
}

TEST(SerialDate, PartsAndWeekdays) {
    const tk::SerialDate d = tk::makeSerialDate(1998, 8, 1) + 0.5;  // noon
    EXPECT_EQ(tk::Year(d), 1998);
    EXPECT_EQ(tk::Month(d), 8);
    EXPECT_EQ(tk::Day(d), 1);
    EXPECT_EQ(tk::Weekday(d), 7);                                // Saturday
    EXPECT_EQ(tk::Weekday(tk::makeSerialDate(1998, 2, 1)), 1);   // Sunday
    EXPECT_EQ(tk::Weekday(tk::makeSerialDate(2026, 12, 7)), 2);  // Monday
    // A negative date's fraction is its time of day: -1.25 is 29 Dec 1899.
    EXPECT_EQ(tk::Day(-1.25), 29);
    EXPECT_EQ(tk::Day(-0.5), 30);
}

TEST(Units, ConversionsAtNinetySixDots) {
    tk::overrideDpi(96);
    EXPECT_DOUBLE_EQ(tk::twipsToPixelsX(1440), 96);
    EXPECT_DOUBLE_EQ(tk::pixelsToTwipsY(1), 15);
    EXPECT_DOUBLE_EQ(tk::pixelsPerUnitX(tk::Unit::Points), 96.0 / 72.0);
    EXPECT_DOUBLE_EQ(tk::pixelsPerUnitY(tk::Unit::Millimeters), 96.0 / 25.4);
    EXPECT_DOUBLE_EQ(tk::pixelsToHimetricX(96), 2540);
    tk::overrideDpi(120);
    EXPECT_DOUBLE_EQ(tk::pixelsToTwipsX(1), 12);
    EXPECT_DOUBLE_EQ(tk::pixelsToHimetricY(120), 2540);
    tk::overrideDpi(0);
}

}  // namespace

// The first language of the user's list that the program speaks wins; the C
// locale, and lists without English or Japanese, keep the program's texts.
TEST(Translations, LanguageFromTheUsersList) {
    using tk::translationLanguage;
    EXPECT_EQ(translationLanguage({"ja-JP", "ja-Jpan-JP", "ja"}), "ja");
    EXPECT_EQ(translationLanguage({"en-GB", "en-Latn-GB", "en"}), "en");
    EXPECT_EQ(translationLanguage({"de-DE", "de", "en-US", "en"}), "en");
    EXPECT_EQ(translationLanguage({"de-DE", "de"}), "");
    EXPECT_EQ(translationLanguage({"C"}), "");
    EXPECT_EQ(translationLanguage({}), "");
    EXPECT_EQ(translationLanguage({"jam-JM", "fr"}), "");
}
