// The small formats the backends read and write, as data tables.

#include <gtest/gtest.h>

#include "system/desktop/DesktopText.h"
#include "system/desktop/HyprlandBackend.h"
#include "system/desktop/SwayBackend.h"
#include "system/desktop/WallpaperFiles.h"

namespace {

struct TextCase {
    const char* in;
    const char* out;  // nullptr: not accepted
};

void PrintTo(const TextCase& c, std::ostream* os) {
    *os << c.in;
}

std::optional<QString> expected(const TextCase& c) {
    return c.out ? std::optional<QString>(QString::fromUtf8(c.out)) : std::nullopt;
}

class PathFromSetting : public ::testing::TestWithParam<TextCase> {};
TEST_P(PathFromSetting, GivesThePlainPath) {
    EXPECT_EQ(desktop::pathFromSetting(QString::fromUtf8(GetParam().in)),
              QString::fromUtf8(GetParam().out));
}
INSTANTIATE_TEST_SUITE_P(
    Settings, PathFromSetting,
    ::testing::Values(
        TextCase{"/home/u/a b.png", "/home/u/a b.png"},
        TextCase{"/home/u/100%20.png", "/home/u/100%20.png"},  // plain paths stay as they are
        TextCase{"file:///home/u/a%20b%23c%25.png", "/home/u/a b#c%.png"},
        TextCase{"file:///home/u/%E5%A3%81%E7%B4%99.bmp", "/home/u/壁紙.bmp"},
        TextCase{"file:///home/u/a b#c.png", "/home/u/a b#c.png"},  // raw
        TextCase{"file:///home/u/100%.png", "/home/u/100%.png"},    // raw: % without digits
        TextCase{"file:///home/u/壁紙 1.bmp", "/home/u/壁紙 1.bmp"},
        TextCase{"file://localhost/srv/x.png", "/srv/x.png"},
        TextCase{"FILE:///srv/x.png", "/srv/x.png"}, TextCase{"file:/srv/x.png", "/srv/x.png"},
        TextCase{"file://server/srv/x.png", ""},  // another machine's picture
        TextCase{"https://example.org/x.png", ""}, TextCase{"", ""}));

class GVariantStrings : public ::testing::TestWithParam<TextCase> {};
TEST_P(GVariantStrings, AreParsed) {
    EXPECT_EQ(desktop::parseGVariantString(QString::fromUtf8(GetParam().in)), expected(GetParam()));
}
INSTANTIATE_TEST_SUITE_P(Gsettings, GVariantStrings,
                         ::testing::Values(TextCase{"'file:///a%20b'\n", "file:///a%20b"},
                                           TextCase{"\"it's\"", "it's"},
                                           TextCase{"'a\\'b\\\\c'", "a'b\\c"},
                                           TextCase{"'\\u00e9t\\u00E9'", "été"},
                                           TextCase{"'tab\\there'", "tab\there"},
                                           TextCase{"''", ""}, TextCase{"@ms nothing", nullptr},
                                           TextCase{"'open", nullptr}, TextCase{"42", nullptr}));

struct WordsCase {
    const char* line;
    QStringList words;
};
void PrintTo(const WordsCase& c, std::ostream* os) {
    *os << c.line;
}

class ShellWords : public ::testing::TestWithParam<WordsCase> {};
TEST_P(ShellWords, SplitAsTheShellWould) {
    EXPECT_EQ(desktop::splitShellWords(QString::fromUtf8(GetParam().line)), GetParam().words);
}
INSTANTIATE_TEST_SUITE_P(
    Fehbg, ShellWords,
    ::testing::Values(WordsCase{"feh --bg-tile '/a b/it'\"'\"'s.png' ",
                                {QStringLiteral("feh"), QStringLiteral("--bg-tile"),
                                 QStringLiteral("/a b/it's.png")}},
                      WordsCase{"a\\ b \"c \\\"d\\\"\" # note",
                                {QStringLiteral("a b"), QStringLiteral("c \"d\"")}},
                      WordsCase{"x''y \"\"", {QStringLiteral("xy"), QString()}},
                      WordsCase{"#!/bin/sh", {}}));

TEST(ShellWords, AnOpenQuoteIsNoLine) {
    EXPECT_EQ(desktop::splitShellWords(QStringLiteral("feh 'x")), std::nullopt);
}

class QtIniValues : public ::testing::TestWithParam<TextCase> {};
TEST_P(QtIniValues, AreUnescaped) {
    const auto groups = desktop::parseKeyFile(
        QStringLiteral("[Desktop]\nWallpaper=") + QString::fromUtf8(GetParam().in),
        desktop::KeyFileDialect::Qt);
    EXPECT_EQ(desktop::keyFileValue(groups, QStringLiteral("Desktop"), QStringLiteral("Wallpaper")),
              QString::fromUtf8(GetParam().out));
}
INSTANTIATE_TEST_SUITE_P(
    Pcmanfmqt, QtIniValues,
    ::testing::Values(TextCase{"/home/u/a b.png", "/home/u/a b.png"},
                      TextCase{"/home/u/\\x58c1\\x7d19.bmp", "/home/u/壁紙.bmp"},
                      TextCase{"\"/a, b;c.png\"", "/a, b;c.png"},
                      TextCase{"/a.png ; note", "/a.png "}, TextCase{"C:\\\\x\\tt", "C:\\x\tt"},
                      TextCase{"\\101\\x42", "AB"}));

struct ModeCase {
    bool tiled;
    const char* current;
    const char* chosen;
};
void PrintTo(const ModeCase& c, std::ostream* os) {
    *os << c.tiled << " " << c.current;
}

class ChooseMode : public ::testing::TestWithParam<ModeCase> {};
TEST_P(ChooseMode, TilesOrKeepsTheUsersModeOrCentres) {
    const desktop::ModeNames kde{QStringLiteral("3"),
                                 QStringLiteral("6"),
                                 {QStringLiteral("4"), QStringLiteral("5")},
                                 {QStringLiteral("none")}};
    EXPECT_EQ(desktop::chooseMode(GetParam().tiled, QString::fromLatin1(GetParam().current), kde),
              QString::fromLatin1(GetParam().chosen));
}
INSTANTIATE_TEST_SUITE_P(Modes, ChooseMode,
                         ::testing::Values(ModeCase{true, "", "3"}, ModeCase{true, "1", "3"},
                                           ModeCase{false, "1", "1"}, ModeCase{false, "2", "2"},
                                           ModeCase{false, "3", "6"}, ModeCase{false, "4", "6"},
                                           ModeCase{false, "5", "6"}, ModeCase{false, "none", "6"},
                                           ModeCase{false, "", "6"}));

TEST(SwayQuoting, EscapesWhatWordexpWouldExpandInsideOneQuotedArgument) {
    EXPECT_EQ(desktop::swayQuotedPath(QStringLiteral("/a/b-c_d.png")),
              QStringLiteral("\"/a/b-c_d.png\""));
    EXPECT_EQ(desktop::swayQuotedPath(QStringLiteral("/x y/$HOME \"q\" 'ß'.bmp")),
              QStringLiteral("\"/x\\ y/\\$HOME\\ \\\"q\\\"\\ \\'ß\\'.bmp\""));
}

TEST(SwaybgArguments, GiveTheBackgroundOfEveryOutputInOrder) {
    const auto all = desktop::SwayBackend::parseSwaybgArgs(
        {QStringLiteral("-o"), QStringLiteral("DP-1"), QStringLiteral("-i"),
         QStringLiteral("/a.png"), QStringLiteral("-m"), QStringLiteral("fill"),
         QStringLiteral("-o"), QStringLiteral("*"), QStringLiteral("-c"), QStringLiteral("#000000"),
         QStringLiteral("-i"), QStringLiteral("/b c.png"), QStringLiteral("-m"),
         QStringLiteral("tile"), QStringLiteral("-o"), QStringLiteral("HDMI-1"),
         QStringLiteral("-c"), QStringLiteral("#ffffff")});
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all.at(0).output, QStringLiteral("DP-1"));
    EXPECT_EQ(all.at(0).picture, QStringLiteral("/a.png"));
    EXPECT_EQ(all.at(1).output, QStringLiteral("*"));
    EXPECT_EQ(all.at(1).picture, QStringLiteral("/b c.png"));
    EXPECT_EQ(all.at(1).mode, QStringLiteral("tile"));
    EXPECT_EQ(all.at(2).output, QStringLiteral("HDMI-1"));
    EXPECT_EQ(all.at(2).picture, QString());  // a colour of its own, no picture
}

TEST(HyprpaperListActive, SplitsMonitorModeAndPath) {
    const auto all = desktop::HyprlandBackend::parseListActive(
        QStringLiteral("DP-1 = tile:/a b.png\nHDMI-A-1 = /c = d.png\ngarbage\n = \n"));
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all.at(0).mode, QStringLiteral("tile"));
    EXPECT_EQ(all.at(0).picture, QStringLiteral("/a b.png"));
    EXPECT_EQ(all.at(1).mode, QStringLiteral("cover"));
    EXPECT_EQ(all.at(1).picture, QStringLiteral("/c = d.png"));

    // hyprpaper 0.8.4 through hyprctl 0.54: "MONITOR: PATH", every monitor.
    const auto wire =
        desktop::HyprlandBackend::parseListActive(QStringLiteral("DP-1: /e: f = g.png\nDP-2: \n"));
    ASSERT_EQ(wire.size(), 2);
    EXPECT_EQ(wire.at(0).monitor, QStringLiteral("DP-1"));
    EXPECT_EQ(wire.at(0).picture, QStringLiteral("/e: f = g.png"));
    EXPECT_EQ(wire.at(1).picture, QString());
}

}  // namespace
