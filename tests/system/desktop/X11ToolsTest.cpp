// feh, nitrogen and xwallpaper for real on a virtual X server: what they keep
// on disk, and what the root window then shows.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include "DesktopSessions.h"
#include "system/desktop/DesktopFactory.h"
#include "system/desktop/WallpaperFiles.h"

using namespace desktoptest;

namespace {

// Pictures are 16 x 12 with a yellow pixel at (1, 2) on blue; the screen is 320 x 240.
const QColor kMarker(Qt::yellow);

class X11ToolsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { display = new VirtualDisplay; }
    static void TearDownTestSuite() {
        delete display;
        display = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(display->running()) << display->error().toStdString();
        home.env().set(QStringLiteral("DISPLAY"), display->display());
    }

    std::unique_ptr<desktop::DesktopBackend> make(const QString& name) {
        return desktop::createDesktopBackend(name,
                                             {home.env(), 10000, 3000, QStringLiteral("/proc")});
    }
    void requireTool(const QString& tool) {
        ASSERT_TRUE(missingTool({tool}).isEmpty()) << tool.toStdString() << " is not installed";
    }

    // The root window as it is drawn now.
    QImage root() { return grabRoot(home); }
    // Tiled: the marker repeats from the top-left corner. Centred: one copy in
    // the middle of the screen.
    void expectDrawn(bool tiled) {
        const QImage shot = root();
        ASSERT_FALSE(shot.isNull()) << "import could not grab the root window";
        EXPECT_EQ(shot.pixelColor(1, 2) == kMarker, tiled);
        EXPECT_EQ(shot.pixelColor(1 + 16 * 5, 2 + 12 * 3) == kMarker, tiled);
        EXPECT_EQ(shot.pixelColor(152 + 1, 114 + 2) == kMarker, !tiled);  // (320-16)/2, (240-12)/2
    }

    static VirtualDisplay* display;
    TestHome home;
};

VirtualDisplay* X11ToolsTest::display = nullptr;

TEST_F(X11ToolsTest, FehTilesOrCentresAndKeepsItInFehbg) {
    ASSERT_NO_FATAL_FAILURE(requireTool(QStringLiteral("feh")));
    const QString picture = home.writePicture(kAwkwardPicture);
    auto feh = make(QStringLiteral("feh"));

    EXPECT_EQ(feh->current().picture, std::nullopt);  // nothing set yet: the hive's value holds
    desktop::ApplyResult result = feh->apply(picture, true);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(feh->current().picture, picture);
    EXPECT_EQ(feh->current().tiled, true);
    expectDrawn(true);

    result = feh->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(feh->current().tiled, false);
    expectDrawn(false);
}

TEST_F(X11ToolsTest, FehKeepsTheUsersOwnModeWhenUntiled) {
    ASSERT_NO_FATAL_FAILURE(requireTool(QStringLiteral("feh")));
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    QFile fehbg(home.path() + QStringLiteral("/.fehbg"));
    ASSERT_TRUE(fehbg.open(QIODevice::WriteOnly));
    fehbg.write("#!/bin/sh\nfeh --no-fehbg --bg-max --image-bg 'black' '/srv/old.jpg' \n");
    fehbg.close();
    EXPECT_EQ(make(QStringLiteral("feh"))->current().picture, QStringLiteral("/srv/old.jpg"));

    ASSERT_TRUE(make(QStringLiteral("feh"))->apply(picture, false).ok);
    ASSERT_TRUE(fehbg.open(QIODevice::ReadOnly));
    EXPECT_NE(fehbg.readAll().indexOf("--bg-max"), -1);
}

TEST_F(X11ToolsTest, NitrogenTilesOrCentresAndKeepsTheUsersOwnMode) {
    ASSERT_NO_FATAL_FAILURE(requireTool(QStringLiteral("nitrogen")));
    const QString picture = home.writePicture(kAwkwardPicture);
    auto nitrogen = make(QStringLiteral("nitrogen"));
    const QString saved = home.configHome() + QStringLiteral("/nitrogen/bg-saved.cfg");
    auto savedText = [&] {
        QFile f(saved);
        f.open(QIODevice::ReadOnly);
        return QString::fromUtf8(f.readAll());
    };

    desktop::ApplyResult result = nitrogen->apply(picture, true);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(savedText().contains(QStringLiteral("file=") + picture));
    EXPECT_TRUE(savedText().contains(QStringLiteral("mode=1")));
    EXPECT_EQ(nitrogen->current().picture, picture);
    EXPECT_EQ(nitrogen->current().tiled, true);
    expectDrawn(true);

    result = nitrogen->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_TRUE(savedText().contains(QStringLiteral("mode=2")));
    EXPECT_EQ(nitrogen->current().tiled, false);
    expectDrawn(false);

    QString text = savedText();
    QFile f(saved);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        text.replace(QStringLiteral("mode=2"), QStringLiteral("mode=5")).toUtf8());  // zoom-fill
    f.close();
    ASSERT_TRUE(nitrogen->apply(picture, false).ok);
    EXPECT_TRUE(savedText().contains(QStringLiteral("mode=5")));
}

TEST_F(X11ToolsTest, XwallpaperIsHandedAPngCopy) {
    ASSERT_NO_FATAL_FAILURE(requireTool(QStringLiteral("xwallpaper")));
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    auto xwallpaper = make(QStringLiteral("xwallpaper"));
    desktop::ApplyResult result = xwallpaper->apply(picture, true);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const QString png = home.path() + QStringLiteral("/data/tessaryn/.Tessavel.bmp.shown-1.png");
    EXPECT_EQ(QImageReader(png).format(), QByteArray("png"));
    EXPECT_EQ(desktop::originalOfShownCopy(png), picture);
    expectDrawn(true);

    result = xwallpaper->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    expectDrawn(false);
    EXPECT_EQ(xwallpaper->current().picture, std::nullopt);  // it keeps nothing to read
}

TEST_F(X11ToolsTest, WithoutADisplayNothingIsClaimed) {
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    home.env().unset(QStringLiteral("DISPLAY"));
    for (const QString& name :
         {QStringLiteral("feh"), QStringLiteral("nitrogen"), QStringLiteral("xwallpaper")}) {
        const desktop::ApplyResult result = make(name)->apply(picture, false);
        EXPECT_FALSE(result.ok) << name.toStdString();
        EXPECT_NE(result.error.indexOf(QStringLiteral("DISPLAY")), -1)
            << result.error.toStdString();
    }
}

}  // namespace
