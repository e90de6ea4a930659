// Rounding to the program's integers, and unit conversions.
#include <gtest/gtest.h>

#include <QLocale>

#include "toolkit/Rounding.h"
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
    EXPECT_EQ(tk::roundToInt<int16_t>(32767.4), 32767);
    EXPECT_EQ(tk::roundToInt<int16_t>(-32768.5), -32768);  // the half goes to the even -32768
    EXPECT_THROW(tk::roundToInt<int16_t>(32767.5), tk::OverflowError);
    EXPECT_THROW(tk::roundToInt<int16_t>(-32769), tk::OverflowError);
    EXPECT_EQ(tk::roundToInt32(2147483647.0), 2147483647);
    EXPECT_THROW(tk::roundToInt32(2147483647.5), tk::OverflowError);
    EXPECT_THROW(tk::roundToInt32(std::nan("")), tk::OverflowError);
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
