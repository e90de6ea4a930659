// How each desktop's own setting names its picture mode, read from the
// files feh and nitrogen keep, and from the names GSettings and xfconf use.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "DesktopSessions.h"
#include "system/desktop/DesktopFactory.h"
#include "system/desktop/PictureModeNames.h"

namespace {

using desktop::PictureMode;

TEST(PictureModeNames, EveryNameOfEveryDesktop) {
    EXPECT_EQ(desktop::pictureModeFromGSettings(QStringLiteral("zoom")), PictureMode::Zoom);
    EXPECT_EQ(desktop::pictureModeFromGSettings(QStringLiteral("wallpaper")), PictureMode::Tiled);
    EXPECT_EQ(desktop::pictureModeFromGSettings(QStringLiteral("scaled")), PictureMode::Scaled);
    EXPECT_EQ(desktop::pictureModeFromGSettings(QStringLiteral("stretched")),
              PictureMode::Stretched);
    EXPECT_EQ(desktop::pictureModeFromGSettings(QStringLiteral("spanned")), PictureMode::Spanned);
    // GNOME's and Cinnamon's window managers draw these two their own way.
    EXPECT_EQ(desktop::pictureModeFromGSettings(QStringLiteral("spanned"), true),
              PictureMode::SpannedStretched);
    EXPECT_EQ(desktop::pictureModeFromGSettings(QStringLiteral("wallpaper"), true),
              PictureMode::TiledCentred);
    EXPECT_EQ(desktop::pictureModeFromGSettings(QStringLiteral("none")), PictureMode::Centered);
    EXPECT_EQ(desktop::pictureModeFromGSettings(QStringLiteral("sideways")), std::nullopt);
    EXPECT_EQ(desktop::pictureModeFromXfceStyle(QStringLiteral("5")), PictureMode::Zoom);
    EXPECT_EQ(desktop::pictureModeFromXfceStyle(QStringLiteral("4")), PictureMode::Scaled);
    EXPECT_EQ(desktop::pictureModeFromXfceStyle(QStringLiteral("3")), PictureMode::Stretched);
    EXPECT_EQ(desktop::pictureModeFromXfceStyle(QStringLiteral("6")), PictureMode::Spanned);
    EXPECT_EQ(desktop::pictureModeFromXfceStyle(QStringLiteral("2")), PictureMode::Tiled);
    EXPECT_EQ(desktop::pictureModeFromXfceStyle(QStringLiteral("7")), std::nullopt);
}

void write(const QString& path, const QByteArray& text) {
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

TEST(LivePictureMode, FehFromItsFehbg) {
    desktoptest::TestHome home;
    auto feh = desktop::createDesktopBackend(QStringLiteral("feh"),
                                             {home.env(), 10000, 3000, QStringLiteral("/proc")});
    EXPECT_EQ(feh->current().mode, std::nullopt);  // no ~/.fehbg yet
    const struct {
        const char* flag;
        PictureMode mode;
    } cases[] = {{"--bg-fill", PictureMode::Zoom},
                 {"--bg-max", PictureMode::Scaled},
                 {"--bg-scale", PictureMode::Stretched},
                 {"--bg-center", PictureMode::Centered},
                 {"--bg-tile", PictureMode::Tiled}};
    for (const auto& c : cases) {
        write(home.path() + QStringLiteral("/.fehbg"),
              QByteArray("#!/bin/sh\nfeh --no-fehbg ") + c.flag + " '/pics/a b.png' \n");
        EXPECT_EQ(feh->current().mode, c.mode) << c.flag;
    }
}

TEST(LivePictureMode, NitrogenFromItsSavedConfig) {
    desktoptest::TestHome home;
    auto nitrogen = desktop::createDesktopBackend(
        QStringLiteral("nitrogen"), {home.env(), 10000, 3000, QStringLiteral("/proc")});
    const QString cfg = home.configHome() + QStringLiteral("/nitrogen/bg-saved.cfg");
    const struct {
        const char* mode;
        PictureMode shown;
    } cases[] = {{"0", PictureMode::Stretched}, {"1", PictureMode::Tiled},
                 {"2", PictureMode::Centered},  {"3", PictureMode::Scaled},
                 {"4", PictureMode::Scaled},    {"5", PictureMode::Zoom}};
    for (const auto& c : cases) {
        write(cfg,
              QByteArray("[xin_-1]\nfile=/pics/a.png\nmode=") + c.mode + "\nbgcolor=#000000\n");
        EXPECT_EQ(nitrogen->current().mode, c.shown) << c.mode;
    }
}

}  // namespace
