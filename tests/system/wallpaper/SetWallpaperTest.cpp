// SetWallpaper and the wallpaper call: the values written, their order
// before the desktop is asked, and what the caller learns when it refuses.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <limits>

#include "RecordingDesktop.h"
#include "support/TempHome.h"
#include "system/desktop/NoneBackend.h"
#include "system/registry/Hive.h"
#include "system/registry/RegString.h"
#include "system/wallpaper/SystemParameters.h"
#include "system/wallpaper/WallpaperSettings.h"

namespace {

const QString kKey = QStringLiteral("Control Panel\\desktop");

QString text(const reg::Value& v) {
    return QString::fromLocal8Bit(v.data.left(v.data.indexOf('\0')));
}

// "name=text" for every value, in the order the hive created them.
QStringList describe(const std::vector<reg::Value>& values) {
    QStringList out;
    for (const reg::Value& v : values) {
        out << QString::fromLocal8Bit(v.name) + u'=' + text(v);
    }
    return out;
}

QStringList hiveNow() {
    reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Read);
    reg::KeyListing listing;
    hive.listKey(reg::HKEY_CURRENT_USER, "Control Panel\\desktop", &listing);
    return describe(listing.values);
}

class SetWallpaperTest : public ::testing::Test {
protected:
    void SetUp() override {
        picture_ = home_.dataHome() + QStringLiteral("/tessaryn/Tessavel.bmp");
        QDir().mkpath(home_.dataHome() + QStringLiteral("/tessaryn"));
        QFile f(picture_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("BM");
        f.close();
        settings_ = {picture_, -8, 0, 0};
    }

    TempHome home_;
    QString picture_;
    sys::WallpaperSettings settings_;
    DesktopScript script_;
    RecordingDesktop recording_{&script_};
    desktop::NoneBackend none_;
    desktop::DesktopBackend* desktop_ = &recording_;
};

struct Row {
    const char* what;
    int16_t useOrigin, resetOrigin, tile;
    const char* tileText;
    const char* originX;
    const char* originY;
};

void PrintTo(const Row& c, std::ostream* os) {
    *os << c.what;
}

class SetWallpaperRow : public SetWallpaperTest, public ::testing::WithParamInterface<Row> {};

TEST_P(SetWallpaperRow, WritesTilingAndOriginInOrderThenAsksTheDesktop) {
    const Row& r = GetParam();
    const sys::WallpaperResult applied =
        sys::SetWallpaper(*desktop_, settings_, r.useOrigin, r.resetOrigin, r.tile);
    EXPECT_TRUE(applied.ok);
    EXPECT_EQ(applied.error, QString());
    const QString tile = QStringLiteral("TileWallpaper=") + QLatin1String(r.tileText);
    const QString x = QStringLiteral("WallpaperOriginX=") + QLatin1String(r.originX);
    const QString y = QStringLiteral("WallpaperOriginY=") + QLatin1String(r.originY);
    // The three values were there, in this order, when the desktop was asked;
    // the path is recorded only afterwards.
    ASSERT_EQ(script_.applies.size(), 1u);
    EXPECT_EQ(script_.applies[0].path, picture_);
    EXPECT_EQ(script_.applies[0].tiled, QLatin1String(r.tileText) == QLatin1String("1"));
    EXPECT_EQ(describe(script_.applies[0].hive), (QStringList{tile, x, y}));
    EXPECT_EQ(hiveNow(), (QStringList{tile, x, y, QStringLiteral("Wallpaper=") + picture_}));
    for (const reg::Value& v : script_.applies[0].hive) {
        EXPECT_EQ(v.type, reg::REG_SZ);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SetWallpaperRow,
                         ::testing::Values(Row{"AsTheProgramCallsIt", -1, 0, 0, "0", "-8", "0"},
                                           Row{"OriginTiled", -1, 0, -1, "1", "-8", "0"},
                                           Row{"AnyNonZeroIsTrue", 1, 0, 7, "1", "-8", "0"},
                                           Row{"ResetWinsOverUse", -1, -1, -1, "1", "0", "0"},
                                           Row{"ResetUntiled", 0, -1, 0, "0", "0", "0"},
                                           Row{"NeitherForcesUntiled", 0, 0, -1, "0", "0", "0"},
                                           Row{"NeitherUntiled", 0, 0, 0, "0", "0", "0"}),
                         [](const auto& test) { return std::string(test.param.what); });

TEST_F(SetWallpaperTest, TheDesktopGetsTheHivesTilingNotItsOwn) {
    script_.liveTiled = true;
    ASSERT_TRUE(sys::SetWallpaper(*desktop_, settings_, -1, 0, 0).ok);
    ASSERT_EQ(script_.applies.size(), 1u);
    EXPECT_FALSE(script_.applies[0].tiled);
}

TEST_F(SetWallpaperTest, ARefusalIsReportedAndThePathNotRecorded) {
    sys::RegSetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("Wallpaper"),
                      QStringLiteral("/old.bmp"));
    script_.result = {false, QStringLiteral("The desktop could not load the picture.")};
    sys::WallpaperResult applied = sys::SetWallpaper(*desktop_, settings_, -1, 0, 0);
    EXPECT_FALSE(applied.ok);
    EXPECT_EQ(applied.error, QStringLiteral("The desktop could not load the picture."));
    EXPECT_EQ(sys::RegGetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("Wallpaper")),
              QStringLiteral("/old.bmp"));
    // A refusal without words still gives the user a sentence.
    script_.result = {false, QString()};
    applied = sys::SetWallpaper(*desktop_, settings_, -1, 0, 0);
    EXPECT_FALSE(applied.ok);
    EXPECT_TRUE(applied.error.contains(QLatin1String("recording"))) << applied.error.toStdString();
    // A success carries no message.
    script_.result = {true, QString()};
    applied = sys::SetWallpaper(*desktop_, settings_, -1, 0, 0);
    EXPECT_TRUE(applied.ok);
    EXPECT_EQ(applied.error, QString());
}

TEST_F(SetWallpaperTest, AMissingPictureIsNotHandedToTheDesktop) {
    for (const QString& path :
         {QString(), home_.root() + QStringLiteral("/gone.bmp"), home_.root()}) {
        settings_.picture = path;
        const sys::WallpaperResult applied = sys::SetWallpaper(*desktop_, settings_, -1, 0, 0);
        EXPECT_FALSE(applied.ok);
        EXPECT_FALSE(applied.error.isEmpty());
    }
    EXPECT_TRUE(script_.applies.empty());
    EXPECT_EQ(sys::RegGetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("Wallpaper")),
              QString());
}

TEST_F(SetWallpaperTest, WithoutADesktopThePathIsRecordedForTheNextLoad) {
    desktop_ = &none_;
    settings_.originX = 25;
    settings_.originY = -3;
    ASSERT_TRUE(sys::SetWallpaper(*desktop_, settings_, -1, 0, 0).ok);
    settings_.picture.clear();
    settings_.originX = 0;
    settings_.originY = 0;
    settings_.tile = 1;
    settings_ = sys::LoadWallpaperSettings(*desktop_, settings_);
    EXPECT_EQ(settings_.picture, picture_);
    EXPECT_EQ(settings_.originX, 25);
    EXPECT_EQ(settings_.originY, -3);
    EXPECT_EQ(settings_.tile, 0);
}

TEST_F(SetWallpaperTest, AnUnusableHiveMakesTheCallFailWithoutDesktop) {
    desktop_ = &none_;
    QFile hive(reg::hivePath());
    QDir().mkpath(QFileInfo(hive).absolutePath());
    ASSERT_TRUE(hive.open(QIODevice::WriteOnly));
    hive.write("not a hive");
    hive.close();
    const sys::WallpaperResult applied = sys::SetWallpaper(*desktop_, settings_, -1, 0, 0);
    EXPECT_FALSE(applied.ok);
    EXPECT_TRUE(applied.error.contains(reg::hivePath())) << applied.error.toStdString();
    QFile check(reg::hivePath());
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("not a hive"));
}

}  // namespace
