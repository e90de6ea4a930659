// The INI format on bytes: which value a read finds, and what a write makes of
// the file's text.
#include "system/profile/ProfileText.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <optional>
#include <string>

using sys::profile::findValue;
using sys::profile::withValue;

namespace {

struct ReadCase {
    const char* name;
    QByteArray text;
    const char* section;
    const char* key;
    std::optional<QByteArray> expected;
};

class FindValue : public ::testing::TestWithParam<ReadCase> {};

TEST_P(FindValue, FindsTheValueAsWindowsWould) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(findValue(c.text, c.section, c.key), c.expected);
}

// The bytes of a literal, embedded NULs included.
template <size_t N>
QByteArray bytes(const char (&literal)[N]) {
    return QByteArray(literal, N - 1);
}

const QByteArray kBinary = bytes("[A]\r\0\xff\xfe=\x01\n\x80\x80\rk=\"v\xc3\"\r\0");

INSTANTIATE_TEST_SUITE_P(
    Profile, FindValue,
    ::testing::Values(
        ReadCase{"OtherCaseOfSection", "[FontSetting]\r\nColor0=255\r\n", "Fontsetting", "Color0",
                 "255"},
        ReadCase{"AllCapitalsInFile", "[FONTSETTING]\nCOLOR0=1\n", "FontSetting", "color0", "1"},
        ReadCase{"BlanksAroundNames", "  [ FormPos ]\t\n\t Top  =  5 \t\n", " FormPos ", "Top\t",
                 "5"},
        ReadCase{"FirstSectionWins", "[A]\nk=1\n[a]\nk=2\n", "A", "k", "1"},
        ReadCase{"LaterDuplicateNotSearched", "[A]\nx=1\n[a]\nk=2\n", "A", "k", std::nullopt},
        ReadCase{"FirstKeyWins", "[A]\nk=1\nK=2\n", "A", "k", "1"},
        ReadCase{"DoubleQuotesAfterTrim", "[A]\nk=  \" x \"  \n", "A", "k", " x "},
        ReadCase{"SingleQuotes", "[A]\nk='v'\n", "A", "k", "v"},
        ReadCase{"OnlyOnePairOfQuotes", "[A]\nk=\"\"v\"\"\n", "A", "k", "\"v\""},
        ReadCase{"MismatchedQuotesKept", "[A]\nk=\"v'\n", "A", "k", "\"v'"},
        ReadCase{"SemicolonIsNoComment", "[A]\nk=a;b ; c\n", "A", "k", "a;b ; c"},
        ReadCase{"CommentLineIsNoKey", "[A]\n;k=1\n", "A", "k", std::nullopt},
        ReadCase{"LineWithoutEqualsIsNoKey", "[A]\nk\nk=2\n", "A", "k", "2"},
        ReadCase{"KeyBeforeAnySection", "k=1\n[A]\n", "A", "k", std::nullopt},
        ReadCase{"CrLineEnds", "[A]\rx=1\rk=2", "A", "k", "2"},
        ReadCase{"MixedLineEnds", "[B]\r\nk=0\n[A]\rk=3\r\n", "A", "k", "3"},
        ReadCase{"Utf8ByteOrderMark", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "k", "1"},
        // Only ASCII letters fold; other bytes must match exactly.
        ReadCase{"NonAsciiNamesMatchExactly", "[ÄRGER]\nÖL=1\n", "ÄRGER", "ÖL", "1"},
        ReadCase{"NonAsciiNamesKeepTheirCase", "[ÄRGER]\nÖL=1\n", "ärger", "öl", std::nullopt},
        ReadCase{"MissingSection", "[B]\nk=1\n", "A", "k", std::nullopt},
        ReadCase{"BinaryGarbage", kBinary, "a", "K", "v\xc3"}),
    [](const auto& param) { return std::string(param.param.name); });

struct WriteCase {
    const char* name;
    QByteArray before;
    const char* section;
    const char* key;
    const char* value;
    QByteArray after;
};

class WithValue : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WithValue, ChangesOnlyWhatItMust) {
    const WriteCase& c = GetParam();
    const std::optional<QByteArray> result = withValue(c.before, c.section, c.key, c.value);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, c.after);
    EXPECT_EQ(findValue(*result, c.section, c.key), QByteArray(c.value));
}

INSTANTIATE_TEST_SUITE_P(
    Profile, WithValue,
    ::testing::Values(
        WriteCase{"NewFileGetsCrLf", "", "FormPos", "Top", "1440", "[FormPos]\r\nTop=1440\r\n"},
        WriteCase{"ReplacedInPlaceKeepingEverythingElse",
                  "; mine\n[formpos]\n  TOP = 1 \nx=9\n\n[FormPos]\nTop=7\n", "FormPos", "Top", "5",
                  "; mine\n[formpos]\n  TOP = 5\nx=9\n\n[FormPos]\nTop=7\n"},
        WriteCase{"EmptyValueReplaced", "[A]\r\nk=\r\nj=1\r\n", "A", "k", "v",
                  "[A]\r\nk=v\r\nj=1\r\n"},
        WriteCase{"KeyAppendedBeforeBlankLines", "[A]\rx=1\r\r[B]\ry=2\r", "A", "k", "v",
                  "[A]\rx=1\rk=v\r\r[B]\ry=2\r"},
        WriteCase{"KeyAppendedToFirstOfDuplicates", "[A]\n[a]\nk=1\n", "a", "k", "v",
                  "[A]\nk=v\n[a]\nk=1\n"},
        WriteCase{"LineWithoutEqualsKept", "[A]\nk\n", "A", "k", "v", "[A]\nk\nk=v\n"},
        WriteCase{"KeyAfterLastLineWithoutLineEnd", "[A]\nx=1", "A", "k", "v", "[A]\nx=1\nk=v\n"},
        WriteCase{"SectionAfterLastLineWithoutLineEnd", "[A]\r\nx=1", "B", "k", "v",
                  "[A]\r\nx=1\r\n[B]\r\nk=v\r\n"},
        WriteCase{"SectionAfterByteOrderMarkOnly", "\xEF\xBB\xBF", "B", "k", "v",
                  "\xEF\xBB\xBF[B]\r\nk=v\r\n"},
        WriteCase{"GarbageAroundKept", kBinary, "a", "k", "w",
                  bytes("[A]\r\0\xff\xfe=\x01\n\x80\x80\rk=w\r\0")}),
    [](const auto& param) { return std::string(param.param.name); });

// Names and values that would not read back as written are refused.
class WithValueRefuses
    : public ::testing::TestWithParam<std::tuple<const char*, const char*, QByteArray>> {};

TEST_P(WithValueRefuses, UnstorableText) {
    const auto& [section, key, value] = GetParam();
    EXPECT_EQ(withValue("[A]\r\nk=1\r\n", section, key, value), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Profile, WithValueRefuses,
                         ::testing::Values(std::make_tuple(" ", "k", QByteArray("v")),
                                           std::make_tuple("A]", "k", QByteArray("v")),
                                           std::make_tuple("A\nB", "k", QByteArray("v")),
                                           std::make_tuple("A", "", QByteArray("v")),
                                           std::make_tuple("A", "k=j", QByteArray("v")),
                                           std::make_tuple("A", "[k", QByteArray("v")),
                                           std::make_tuple("A", "k\r", QByteArray("v")),
                                           std::make_tuple("A", "k", QByteArray("1\r\n[B]")),
                                           std::make_tuple("A", "k", bytes("a\0b"))));

TEST(ProfileText, FittingLengthNeverSplitsUtf8) {
    const QByteArray a1022(1022, 'a');
    const struct {
        QByteArray value;
        qsizetype expected;
    } cases[] = {
        {QByteArray(2000, 'x'), 1023},
        {QByteArray(1023, 'x'), 1023},
        {a1022 + "\xC3\xA9", 1022},                      // é straddles the limit
        {a1022.first(1021) + "\xC3\xA9", 1023},          // é ends at the limit
        {a1022.first(1020) + "\xF0\x9F\x98\x80", 1020},  // 4-byte emoji
        {QByteArray(2000, '\x80'), 1023},                // no UTF-8: plain byte cut
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sys::profile::fittingLength(c.value, 1023), c.expected) << c.value.size();
    }
}

}  // namespace
