// WallpaperStore::load: the four desktop values, from the hive or, where the
// desktop keeps its own, from the desktop.

#include <gtest/gtest.h>

#include <optional>

#include "RecordingDesktop.h"
#include "support/TempHome.h"
#include "system/desktop/NoneBackend.h"
#include "system/registry/Hive.h"
#include "system/registry/Registry.h"
#include "system/wallpaper/WallpaperStore.h"

namespace {

const QString kKey = QStringLiteral("Control Panel\\desktop");

void put(const char* name, const QString& text) {
    ASSERT_TRUE(reg::writeText(reg::Root::CurrentUser, kKey, QLatin1String(name), text));
}

class WallpaperLoadTest : public ::testing::Test {
protected:
    void SetUp() override { settings_ = {QStringLiteral("/earlier.bmp"), QPoint(99, 99), false}; }
    TempHome home_;
    desktop::NoneBackend none_;
    desktop::DesktopBackend* desktop_ = &none_;
    sys::WallpaperSettings settings_;  // as the last read left them
};

struct OriginCase {
    const char* what;
    std::optional<QString> text;  // nullopt: the value is missing
    int32_t expected;
};

void PrintTo(const OriginCase& c, std::ostream* os) {
    *os << c.what;
}

class OriginReading : public WallpaperLoadTest, public ::testing::WithParamInterface<OriginCase> {};

TEST_P(OriginReading, RoundsNumbersAndTurnsEverythingElseIntoZero) {
    const OriginCase& c = GetParam();
    put("Wallpaper", QStringLiteral("/w.bmp"));
    if (c.text) {
        put("WallpaperOriginX", *c.text);
        put("WallpaperOriginY", *c.text);
    }
    settings_ = sys::WallpaperStore(*desktop_).load(settings_);
    EXPECT_EQ(settings_.origin, QPoint(c.expected, c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, OriginReading,
    ::testing::Values(OriginCase{"Positive", QStringLiteral("25"), 25},
                      OriginCase{"Negative", QStringLiteral("-8"), -8},
                      OriginCase{"BlanksAround", QStringLiteral(" 7 "), 7},
                      OriginCase{"HalfGoesToEvenDown", QStringLiteral("12.5"), 12},
                      OriginCase{"HalfGoesToEvenUp", QStringLiteral("13.5"), 14},
                      OriginCase{"Exponent", QStringLiteral("2.5e1"), 25},
                      OriginCase{"NotANumber", QStringLiteral("abc"), 0},
                      OriginCase{"NumberWithText", QStringLiteral("12px"), 0},
                      OriginCase{"Empty", QString(), 0}, OriginCase{"Missing", std::nullopt, 0},
                      OriginCase{"LargestLong", QStringLiteral("2147483647"), 2147483647},
                      OriginCase{"BeyondLong", QStringLiteral("2147483648"), 0},
                      OriginCase{"FarBeyondLong", QStringLiteral("-1e300"), 0}),
    [](const auto& test) { return std::string(test.param.what); });

struct TileCase {
    const char* what;
    bool before;
    std::optional<QString> text;
    bool expected;
};

void PrintTo(const TileCase& c, std::ostream* os) {
    *os << c.what;
}

class TileReading : public WallpaperLoadTest, public ::testing::WithParamInterface<TileCase> {};

TEST_P(TileReading, TiledWhenItRoundsToOneAndKeptWhenNoNumber) {
    const TileCase& c = GetParam();
    settings_.tiled = c.before;
    if (c.text) {
        put("TileWallpaper", *c.text);
    }
    settings_ = sys::WallpaperStore(*desktop_).load(settings_);
    EXPECT_EQ(settings_.tiled, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TileReading,
    ::testing::Values(TileCase{"One", false, QStringLiteral("1"), true},
                      TileCase{"Zero", true, QStringLiteral("0"), false},
                      TileCase{"TwoIsUntiled", true, QStringLiteral("2"), false},
                      TileCase{"MinusOneIsUntiled", true, QStringLiteral("-1"), false},
                      TileCase{"RoundsUp", false, QStringLiteral("0.6"), true},
                      TileCase{"HalfRoundsToEvenZero", true, QStringLiteral("0.5"), false},
                      TileCase{"HalfRoundsToEvenTwo", true, QStringLiteral("1.5"), false},
                      TileCase{"BeyondInteger", true, QStringLiteral("40000"), false},
                      TileCase{"MissingKeepsTiled", true, std::nullopt, true},
                      TileCase{"MissingKeepsUntiled", false, std::nullopt, false},
                      TileCase{"EmptyKeepsTiled", true, QString(), true},
                      TileCase{"TextKeepsTiled", true, QStringLiteral("yes"), true}),
    [](const auto& test) { return std::string(test.param.what); });

TEST_F(WallpaperLoadTest, AUserWithoutSettingsGetsNoWallpaperAndZeroOrigins) {
    settings_.tiled = true;
    settings_ = sys::WallpaperStore(*desktop_).load(settings_);
    EXPECT_EQ(settings_.picture, QString());
    EXPECT_EQ(settings_.origin, QPoint(0, 0));
    EXPECT_TRUE(settings_.tiled);
    reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Read);
    EXPECT_EQ(hive.keyExists(reg::Root::CurrentUser, "Control Panel"), reg::Status::NotFound)
        << "reading created a key";
}

TEST_F(WallpaperLoadTest, ALiveDesktopAnswersForWallpaperAndTiling) {
    put("Wallpaper", QStringLiteral("/hive.bmp"));
    put("TileWallpaper", QStringLiteral("0"));
    put("WallpaperOriginX", QStringLiteral("5"));
    DesktopScript script;
    script.shows.picture = QStringLiteral("/live/picture.png");
    script.shows.tiled = true;
    RecordingDesktop live(&script);
    desktop_ = &live;
    settings_ = sys::WallpaperStore(*desktop_).load(settings_);
    EXPECT_EQ(settings_.picture, QStringLiteral("/live/picture.png"));
    EXPECT_TRUE(settings_.tiled);
    EXPECT_EQ(settings_.origin.x(), 5) << "origins always come from the hive";

    // Where the desktop has no setting of its own, the hive's copy holds.
    script.shows.picture.reset();
    script.shows.tiled.reset();
    settings_ = sys::WallpaperStore(*desktop_).load(settings_);
    EXPECT_EQ(settings_.picture, QStringLiteral("/hive.bmp"));
    EXPECT_FALSE(settings_.tiled);
}

TEST_F(WallpaperLoadTest, ALiveDesktopIsReadEvenBeforeTheHiveHoldsTheKey) {
    DesktopScript script;
    script.shows.picture = QStringLiteral("/live.png");
    script.shows.tiled = false;
    settings_.tiled = true;
    RecordingDesktop live(&script);
    desktop_ = &live;
    settings_ = sys::WallpaperStore(*desktop_).load(settings_);
    EXPECT_EQ(settings_.picture, QStringLiteral("/live.png"));
    EXPECT_FALSE(settings_.tiled);
    EXPECT_EQ(settings_.origin, QPoint(0, 0));
    // The hive itself holds only what was written to it.
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, QStringLiteral("CONTROL PANEL\\Desktop"),
                            QStringLiteral("wallpaper")),
              std::nullopt);
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, kKey, QStringLiteral("Pattern")), std::nullopt);
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, QStringLiteral("Control Panel\\Colors"),
                            QStringLiteral("Wallpaper")),
              std::nullopt);
}

}  // namespace
