// GNOME for real, run by scripts/test-desktops.sh stable|current: GNOME Shell
// headless on Wayland with a virtual monitor, software rendering, a private
// session bus, and a second private bus standing in for the system bus with
// python3-dbusmock's logind on it. What the shell shows is read back through
// its own screenshot service (allowed in unsafe mode).

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QThread>

#include "DesktopSessions.h"
#include "system/desktop/DesktopFactory.h"

using namespace desktoptest;

namespace {

// The placed picture is 64 x 48, its left half yellow, its right half blue;
// the monitor is 640 x 480, its top bar covers the first rows.
const QColor kLeft(Qt::yellow);
const QColor kRight(Qt::blue);

class GnomeShellRealTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString missing = missingTool(
            {QStringLiteral("gnome-shell"), QStringLiteral("python3"), QStringLiteral("gdbus")});
        if (!missing.isEmpty()) {
            GTEST_SKIP() << missing.toStdString() << " is not installed";
        }
        systemBus = std::make_unique<PrivateBus>(systemHome, PrivateBus::Services::None);
        ASSERT_TRUE(systemBus->running()) << systemBus->error().toStdString();
        home.env().set(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), systemBus->address());
        bus = std::make_unique<PrivateBus>(home);
        ASSERT_TRUE(bus->running()) << bus->error().toStdString();
        const QString log = home.path() + QStringLiteral("/shell.log");
        logind.setProcessEnvironment(home.env().processEnvironment());
        logind.setStandardOutputFile(home.path() + QStringLiteral("/logind.log"));
        logind.setStandardErrorFile(home.path() + QStringLiteral("/logind.log"));
        logind.start(QStringLiteral("python3"),
                     {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system"),
                      QStringLiteral("--template"), QStringLiteral("logind")});
        ASSERT_TRUE(logind.waitForStarted(5000));
        QThread::msleep(1500);

        QProcessEnvironment env = home.env().processEnvironment();
        env.insert(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"), QStringLiteral("1"));
        env.insert(QStringLiteral("NO_AT_BRIDGE"), QStringLiteral("1"));
        env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
        env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
        shell.setProcessEnvironment(env);
        shell.setStandardOutputFile(log);
        shell.setStandardErrorFile(log);
        shell.start(home.env().findExecutable(QStringLiteral("gnome-shell")),
                    {QStringLiteral("--headless"), QStringLiteral("--wayland"),
                     QStringLiteral("--virtual-monitor"), QStringLiteral("640x480"),
                     QStringLiteral("--unsafe-mode")});
        ASSERT_TRUE(shell.waitForStarted(10000));
        QFile file(log);
        for (int i = 0; i < 1200 && shell.state() == QProcess::Running; ++i) {
            const bool started =
                file.open(QIODevice::ReadOnly) && file.readAll().contains("GNOME Shell started");
            file.close();
            if (started) {
                break;
            }
            QThread::msleep(100);
        }
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        ASSERT_TRUE(file.readAll().contains("GNOME Shell started"))
            << "gnome-shell did not start; see " << log.toStdString();
        // The shell starts in the overview, which hides the wallpaper.
        call(QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
             QStringLiteral("org.gnome.Shell.Eval"), {QStringLiteral("Main.overview.hide()")});
        QThread::msleep(1000);
    }
    void TearDown() override {
        stopProcess(shell);
        stopProcess(logind);
        bus.reset();
        systemBus.reset();
    }

    QString call(const QString& dest, const QString& path, const QString& method,
                 const QStringList& args) {
        return runIn(home.env(), QStringLiteral("gdbus"),
                     QStringList{QStringLiteral("call"), QStringLiteral("--session"),
                                 QStringLiteral("--dest"), dest, QStringLiteral("--object-path"),
                                 path, QStringLiteral("--method"), method} +
                         args);
    }
    QImage screen() {
        const QString file = home.path() + QStringLiteral("/shot.png");
        QFile::remove(file);
        call(QStringLiteral("org.gnome.Shell.Screenshot"),
             QStringLiteral("/org/gnome/Shell/Screenshot"),
             QStringLiteral("org.gnome.Shell.Screenshot.Screenshot"),
             {QStringLiteral("false"), QStringLiteral("false"), file});
        return QImage(file);
    }
    // The screen once the pixel at (16, 400) is (`picture`) or is not
    // (!`picture`) one of the picture's colours, or after 15 seconds.
    QImage screenShowing(bool picture) {
        QImage shot = screen();
        for (int i = 0; i < 30 && isPicture(shot.pixelColor(16, 400)) != picture; ++i) {
            QThread::msleep(500);
            shot = screen();
        }
        return shot;
    }
    static bool isPicture(const QColor& c) { return c == kLeft || c == kRight; }

    TestHome systemHome;
    TestHome home;
    std::unique_ptr<PrivateBus> systemBus;
    std::unique_ptr<PrivateBus> bus;
    QProcess logind;
    QProcess shell;
};

TEST_F(GnomeShellRealTest, TheShellShowsThePlacedPictureTiledThenCentred) {
    ASSERT_FALSE(screen().isNull()) << "the shell's screenshot service gave no picture";
    auto gnome = desktop::createDesktopBackend(QStringLiteral("gnome"),
                                               {home.env(), 10000, 5000, QStringLiteral("/proc")});
    QImage halves(64, 48, QImage::Format_RGB32);
    halves.fill(kRight);
    for (int y = 0; y < 48; ++y) {
        for (int x = 0; x < 32; ++x) {
            halves.setPixelColor(x, y, kLeft);
        }
    }
    const QString picture = home.path() + QStringLiteral("/Tessavel.bmp");
    ASSERT_TRUE(halves.save(picture, "BMP"));

    // Tiled: the picture covers the screen below the top bar. (GNOME Shell
    // 48 draws a small tile enlarged, so only its colours are checked.)
    desktop::ApplyResult result = gnome->apply(picture, true);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    QImage shot = screenShowing(true);
    for (const QPoint& p : {QPoint(16, 400), QPoint(620, 460), QPoint(100, 300)}) {
        const QColor c = shot.pixelColor(p);
        EXPECT_TRUE(isPicture(c)) << p.x() << "," << p.y() << " shows " << c.name().toStdString();
    }
    EXPECT_EQ(gnome->current().tiled, true);

    // Untiled after tiled: centred, the picture once, one pixel per pixel,
    // in the middle; the shell's background colour around it.
    result = gnome->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    shot = screenShowing(false);
    EXPECT_EQ(shot.pixelColor(300, 240), kLeft) << "not centred";  // x 288 to 351
    EXPECT_EQ(shot.pixelColor(340, 240), kRight);
    EXPECT_FALSE(isPicture(shot.pixelColor(16, 400)));
    EXPECT_EQ(gnome->current().picture, picture);
}

}  // namespace
