// WallpaperStore::apply: the values written, their order before the desktop
// is asked, and what the caller learns when it refuses.

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
#include "system/registry/Registry.h"
#include "system/wallpaper/WallpaperStore.h"

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
    hive.listKey(reg::Root::CurrentUser, "Control Panel\\desktop", &listing);
    return describe(listing.values);
}

class WallpaperApplyTest : public ::testing::Test {
protected:
    void SetUp() override {
        picture_ = home_.dataHome() + QStringLiteral("/tessaryn/Tessavel.bmp");
        QDir().mkpath(home_.dataHome() + QStringLiteral("/tessaryn"));
        QFile f(picture_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("BM");
        f.close();
        settings_ = {picture_, QPoint(-8, 0), false};
    }

    TempHome home_;
    QString picture_;
    sys::WallpaperSettings settings_;

    sys::WallpaperResult apply() { return sys::WallpaperStore(*desktop_).apply(settings_); }
    DesktopScript script_;
    RecordingDesktop recording_{&script_};
    desktop::NoneBackend none_;
    desktop::DesktopBackend* desktop_ = &recording_;
};

class WallpaperApplyTiling : public WallpaperApplyTest,
                             public ::testing::WithParamInterface<bool> {};

TEST_P(WallpaperApplyTiling, WritesTilingAndOriginInOrderThenAsksTheDesktop) {
    settings_.tiled = GetParam();
    const sys::WallpaperResult applied = apply();
    EXPECT_TRUE(applied.ok);
    EXPECT_EQ(applied.error, QString());
    const QString tile =
        settings_.tiled ? QStringLiteral("TileWallpaper=1") : QStringLiteral("TileWallpaper=0");
    const QString x = QStringLiteral("WallpaperOriginX=-8");
    const QString y = QStringLiteral("WallpaperOriginY=0");
    // The three values were there, in this order, when the desktop was asked;
    // the path is recorded only afterwards.
    ASSERT_EQ(script_.applies.size(), 1u);
    EXPECT_EQ(script_.applies[0].path, picture_);
    EXPECT_EQ(script_.applies[0].tiled, settings_.tiled);
    EXPECT_EQ(describe(script_.applies[0].hive), (QStringList{tile, x, y}));
    EXPECT_EQ(hiveNow(), (QStringList{tile, x, y, QStringLiteral("Wallpaper=") + picture_}));
    for (const reg::Value& v : script_.applies[0].hive) {
        EXPECT_EQ(v.type, reg::ValueType::Text);
    }
}

INSTANTIATE_TEST_SUITE_P(Tiling, WallpaperApplyTiling, ::testing::Bool(),
                         [](const auto& test) { return test.param ? "Tiled" : "Untiled"; });

TEST_F(WallpaperApplyTest, TheDesktopGetsTheTilingAskedForNotItsOwn) {
    script_.shows.tiled = true;
    ASSERT_TRUE(apply().ok);
    ASSERT_EQ(script_.applies.size(), 1u);
    EXPECT_FALSE(script_.applies[0].tiled);
}

TEST_F(WallpaperApplyTest, ARefusalIsReportedAndThePathNotRecorded) {
    reg::writeText(reg::Root::CurrentUser, kKey, QStringLiteral("Wallpaper"),
                   QStringLiteral("/old.bmp"));
    script_.result = {false, QStringLiteral("The desktop could not load the picture.")};
    sys::WallpaperResult applied = apply();
    EXPECT_FALSE(applied.ok);
    EXPECT_EQ(applied.error, QStringLiteral("The desktop could not load the picture."));
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, kKey, QStringLiteral("Wallpaper")),
              QStringLiteral("/old.bmp"));
    // A refusal without words still gives the user a sentence.
    script_.result = {false, QString()};
    applied = apply();
    EXPECT_FALSE(applied.ok);
    EXPECT_TRUE(applied.error.contains(QLatin1String("recording"))) << applied.error.toStdString();
    // A success carries no message.
    script_.result = {true, QString()};
    applied = apply();
    EXPECT_TRUE(applied.ok);
    EXPECT_EQ(applied.error, QString());
}

TEST_F(WallpaperApplyTest, AMissingPictureIsNotHandedToTheDesktop) {
    for (const QString& path :
         {QString(), home_.root() + QStringLiteral("/gone.bmp"), home_.root()}) {
        settings_.picture = path;
        const sys::WallpaperResult applied = apply();
        EXPECT_FALSE(applied.ok);
        EXPECT_FALSE(applied.error.isEmpty());
    }
    EXPECT_TRUE(script_.applies.empty());
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, kKey, QStringLiteral("Wallpaper")),
              std::nullopt);
}

TEST_F(WallpaperApplyTest, WithoutADesktopThePathIsRecordedForTheNextLoad) {
    desktop_ = &none_;
    settings_.origin = QPoint(25, -3);
    ASSERT_TRUE(apply().ok);
    settings_.picture.clear();
    settings_.origin = QPoint();
    settings_.tiled = true;
    settings_ = sys::WallpaperStore(*desktop_).load(settings_);
    EXPECT_EQ(settings_.picture, picture_);
    EXPECT_EQ(settings_.origin, QPoint(25, -3));
    EXPECT_FALSE(settings_.tiled);
}

TEST_F(WallpaperApplyTest, AnUnusableHiveMakesTheCallFailWithoutDesktop) {
    desktop_ = &none_;
    QFile hive(reg::hivePath());
    QDir().mkpath(QFileInfo(hive).absolutePath());
    ASSERT_TRUE(hive.open(QIODevice::WriteOnly));
    hive.write("not a hive");
    hive.close();
    const sys::WallpaperResult applied = apply();
    EXPECT_FALSE(applied.ok);
    EXPECT_TRUE(applied.error.contains(reg::hivePath())) << applied.error.toStdString();
    QFile check(reg::hivePath());
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("not a hive"));
}

}  // namespace
