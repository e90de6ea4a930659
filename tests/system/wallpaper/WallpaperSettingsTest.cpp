// LoadWallpaperSettings: the four desktop values,
// from the hive or, where the desktop keeps its own, from the desktop.

#include <gtest/gtest.h>

#include <optional>

#include "RecordingDesktop.h"
#include "support/TempHome.h"
#include "system/desktop/NoneBackend.h"
#include "system/registry/Hive.h"
#include "system/registry/RegString.h"
#include "system/wallpaper/WallpaperSettings.h"

namespace {

const QString kKey = QStringLiteral("Control Panel\\desktop");

void put(const char* name, const QString& text) {
    ASSERT_EQ(sys::RegSetString(reg::HKEY_CURRENT_USER, kKey, QLatin1String(name), text), -1);
}

class WallpaperSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { settings_ = {QStringLiteral("/earlier.bmp"), 99, 99, 0}; }
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

class OriginReading : public WallpaperSettingsTest,
                      public ::testing::WithParamInterface<OriginCase> {};

TEST_P(OriginReading, RoundsNumbersAndTurnsEverythingElseIntoZero) {
    const OriginCase& c = GetParam();
    put("Wallpaper", QStringLiteral("/w.bmp"));
    if (c.text) {
        put("WallpaperOriginX", *c.text);
        put("WallpaperOriginY", *c.text);
    }
    settings_ = sys::LoadWallpaperSettings(*desktop_, settings_);
    EXPECT_EQ(settings_.originX, c.expected);
    EXPECT_EQ(settings_.originY, c.expected);
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
    int16_t before;
    std::optional<QString> text;
    int16_t expected;
};

void PrintTo(const TileCase& c, std::ostream* os) {
    *os << c.what;
}

class TileReading : public WallpaperSettingsTest, public ::testing::WithParamInterface<TileCase> {};

TEST_P(TileReading, KeepsZeroOrOneAndIgnoresWhatIsNoNumber) {
    const TileCase& c = GetParam();
    settings_.tile = c.before;
    if (c.text) {
        put("TileWallpaper", *c.text);
    }
    settings_ = sys::LoadWallpaperSettings(*desktop_, settings_);
    EXPECT_EQ(settings_.tile, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TileReading,
    ::testing::Values(TileCase{"One", 0, QStringLiteral("1"), 1},
                      TileCase{"Zero", 1, QStringLiteral("0"), 0},
                      TileCase{"TwoIsUntiled", 1, QStringLiteral("2"), 0},
                      TileCase{"MinusOneIsUntiled", 1, QStringLiteral("-1"), 0},
                      TileCase{"RoundsUp", 0, QStringLiteral("0.6"), 1},
                      TileCase{"HalfRoundsToEvenZero", 1, QStringLiteral("0.5"), 0},
                      TileCase{"HalfRoundsToEvenTwo", 1, QStringLiteral("1.5"), 0},
                      TileCase{"BeyondInteger", 1, QStringLiteral("40000"), 0},
                      TileCase{"MissingKeepsOne", 1, std::nullopt, 1},
                      TileCase{"MissingKeepsZero", 0, std::nullopt, 0},
                      TileCase{"EmptyKeepsOne", 1, QString(), 1},
                      TileCase{"TextKeepsOne", 1, QStringLiteral("yes"), 1}),
    [](const auto& test) { return std::string(test.param.what); });

TEST_F(WallpaperSettingsTest, AUserWithoutSettingsGetsNoWallpaperAndZeroOrigins) {
    settings_.tile = 1;
    settings_ = sys::LoadWallpaperSettings(*desktop_, settings_);
    EXPECT_EQ(settings_.picture, QString());
    EXPECT_EQ(settings_.originX, 0);
    EXPECT_EQ(settings_.originY, 0);
    EXPECT_EQ(settings_.tile, 1);
    reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Read);
    EXPECT_EQ(hive.keyExists(reg::HKEY_CURRENT_USER, "Control Panel"), reg::ERROR_FILE_NOT_FOUND)
        << "reading created a key";
}

TEST_F(WallpaperSettingsTest, ALiveDesktopAnswersForWallpaperAndTiling) {
    put("Wallpaper", QStringLiteral("/hive.bmp"));
    put("TileWallpaper", QStringLiteral("0"));
    put("WallpaperOriginX", QStringLiteral("5"));
    DesktopScript script;
    script.liveWallpaper = QStringLiteral("/live/picture.png");
    script.liveTiled = true;
    RecordingDesktop live(&script);
    desktop_ = &live;
    settings_ = sys::LoadWallpaperSettings(*desktop_, settings_);
    EXPECT_EQ(settings_.picture, QStringLiteral("/live/picture.png"));
    EXPECT_EQ(settings_.tile, 1);
    EXPECT_EQ(settings_.originX, 5) << "origins always come from the hive";

    // Where the desktop has no setting of its own, the hive's copy holds.
    script.liveWallpaper.reset();
    script.liveTiled.reset();
    settings_ = sys::LoadWallpaperSettings(*desktop_, settings_);
    EXPECT_EQ(settings_.picture, QStringLiteral("/hive.bmp"));
    EXPECT_EQ(settings_.tile, 0);
}

TEST_F(WallpaperSettingsTest, ALiveDesktopIsReadEvenBeforeTheHiveHoldsTheKey) {
    DesktopScript script;
    script.liveWallpaper = QStringLiteral("/live.png");
    script.liveTiled = false;
    settings_.tile = 1;
    RecordingDesktop live(&script);
    desktop_ = &live;
    settings_ = sys::LoadWallpaperSettings(*desktop_, settings_);
    EXPECT_EQ(settings_.picture, QStringLiteral("/live.png"));
    EXPECT_EQ(settings_.tile, 0);
    EXPECT_EQ(settings_.originX, 0);
    // The hive itself holds only what was written to it.
    EXPECT_EQ(sys::RegGetString(reg::HKEY_CURRENT_USER, QStringLiteral("CONTROL PANEL\\Desktop"),
                                QStringLiteral("wallpaper")),
              QString());
    EXPECT_EQ(sys::RegGetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("Pattern")),
              QString());
    EXPECT_EQ(sys::RegGetString(reg::HKEY_CURRENT_USER, QStringLiteral("Control Panel\\Colors"),
                                QStringLiteral("Wallpaper")),
              QString());
}

}  // namespace
