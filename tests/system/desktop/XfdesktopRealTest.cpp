// Xfce for real, run by scripts/test-desktops.sh stable|current: xfdesktop
// and xfconfd on a virtual X server (its one RandR output) and a private
// session bus. The user's own picture is set with xfconf-query where this
// xfdesktop reads it; the backend must then change what the screen shows.

#include <gtest/gtest.h>

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include "DesktopSessions.h"
#include "system/desktop/XfceBackend.h"

using namespace desktoptest;

namespace {

// The placed picture is 16 x 12, blue with a yellow pixel at (1, 2); the
// screen is 320 x 240.
const QColor kMarker(Qt::yellow);

class XfdesktopRealTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString missing =
            missingTool({QStringLiteral("xfdesktop"), QStringLiteral("xfconf-query"),
                         QStringLiteral("xrandr"), QStringLiteral("import")});
        if (!missing.isEmpty()) {
            GTEST_SKIP() << missing.toStdString() << " is not installed";
        }
        ASSERT_TRUE(display.running()) << display.error().toStdString();
        home.env().set(QStringLiteral("DISPLAY"), display.display());
        bus = std::make_unique<PrivateBus>(home);  // starts xfconfd on demand
        ASSERT_TRUE(bus->running()) << bus->error().toStdString();
    }
    void TearDown() override {
        stopProcess(xfdesktop, 5000);
        bus.reset();
    }

    void set(const QString& property, const QString& type, const QString& value) {
        int status = -1;
        runIn(
            home.env(), QStringLiteral("xfconf-query"),
            {QStringLiteral("-c"), QStringLiteral("xfce4-desktop"), QStringLiteral("-p"), property,
             QStringLiteral("-n"), QStringLiteral("-t"), type, QStringLiteral("-s"), value},
            &status);
        ASSERT_EQ(status, 0) << property.toStdString();
    }
    // The RandR output xfdesktop names its keys after.
    QString output() {
        const QString monitors =
            runIn(home.env(), QStringLiteral("xrandr"), {QStringLiteral("--listmonitors")});
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("(\\S+)\\s*$"), QRegularExpression::MultilineOption)
                .match(monitors.section(QLatin1Char('\n'), 1, 1));
        return m.captured(1);
    }
    QImage screen() { return grabRoot(home); }
    // The screen once the pixel at `x`, `y` is `colour`, or after 10 seconds.
    QImage waitFor(int x, int y, const QColor& colour) {
        QImage shot = screen();
        for (int i = 0; i < 100 && shot.pixelColor(x, y) != colour; ++i) {
            QThread::msleep(100);
            shot = screen();
        }
        return shot;
    }

    TestHome home;
    VirtualDisplay display;
    std::unique_ptr<PrivateBus> bus;
    QProcess xfdesktop;
};

TEST_F(XfdesktopRealTest, TheScreenShowsThePlacedPictureTiledThenCentred) {
    const QString monitor = output();
    ASSERT_FALSE(monitor.isEmpty()) << "xrandr lists no monitor";
    // The user's own picture, stretched, where this xfdesktop reads it: its
    // single-workspace mode shows the workspace it names. No desktop icons.
    QImage own(16, 12, QImage::Format_RGB32);
    own.fill(Qt::red);
    own.save(home.path() + QStringLiteral("/own.png"));
    const QString prefix = QStringLiteral("/backdrop/screen0/monitor%1/workspace0/").arg(monitor);
    set(prefix + QStringLiteral("last-image"), QStringLiteral("string"),
        home.path() + QStringLiteral("/own.png"));
    set(prefix + QStringLiteral("image-style"), QStringLiteral("int"), QStringLiteral("3"));
    set(QStringLiteral("/backdrop/single-workspace-mode"), QStringLiteral("bool"),
        QStringLiteral("true"));
    set(QStringLiteral("/backdrop/single-workspace-number"), QStringLiteral("int"),
        QStringLiteral("0"));
    set(QStringLiteral("/desktop-icons/style"), QStringLiteral("int"), QStringLiteral("0"));

    xfdesktop.setProcessEnvironment(home.env().processEnvironment());
    xfdesktop.setStandardOutputFile(home.path() + QStringLiteral("/xfdesktop.log"));
    xfdesktop.setStandardErrorFile(home.path() + QStringLiteral("/xfdesktop.log"));
    // Without a window manager xfdesktop would wait for one.
    xfdesktop.start(home.env().findExecutable(QStringLiteral("xfdesktop")),
                    {QStringLiteral("--disable-wm-check")});
    ASSERT_TRUE(xfdesktop.waitForStarted(5000));
    ASSERT_EQ(waitFor(160, 120, Qt::red).pixelColor(160, 120), QColor(Qt::red))
        << "xfdesktop did not show the user's picture on monitor " << monitor.toStdString();

    desktop::XfceBackend xfce({home.env(), 10000, 3000, QStringLiteral("/proc")});
    ASSERT_EQ(xfce.current().picture, home.path() + QStringLiteral("/own.png"));
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    desktop::ApplyResult result = xfce.apply(picture, true);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    QImage shot = waitFor(1 + 16 * 5, 2 + 12 * 3, kMarker);
    EXPECT_EQ(shot.pixelColor(1 + 16 * 5, 2 + 12 * 3), kMarker) << "not tiled from the corner";
    EXPECT_EQ(shot.pixelColor(1, 2), kMarker);

    result = xfce.apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    shot = waitFor(153, 116, kMarker);  // (320-16)/2 + 1, (240-12)/2 + 2
    EXPECT_EQ(shot.pixelColor(153, 116), kMarker) << "not centred";
    EXPECT_NE(shot.pixelColor(1, 2), kMarker);
    EXPECT_EQ(xfce.current().tiled, false);
}

}  // namespace
