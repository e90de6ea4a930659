// sway for real: sway 1.7 on its headless backend with two outputs, told
// through swaymsg as in a session, checked by the swaybg it runs and by the
// pixels grim reads off each output. sway refuses to run as root; ctest starts
// this test through run-unprivileged.sh.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QThread>

#include "DesktopSessions.h"
#include "system/desktop/DesktopFactory.h"
#include "system/desktop/SwayBackend.h"
#include "system/desktop/WallpaperFiles.h"

using namespace desktoptest;

namespace {

// Pictures are 16 x 12; the placed one is blue with a yellow pixel at (1, 2).
// Each output is 320 x 240.
const QColor kMarker(Qt::yellow);

class SwayDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString missing = missingTool({QStringLiteral("sway"), QStringLiteral("swaybg"),
                                             QStringLiteral("swaymsg"), QStringLiteral("grim")});
        ASSERT_TRUE(missing.isEmpty()) << missing.toStdString() << " is not installed";
        ASSERT_NE(geteuid(), 0u)
            << "sway refuses to run as root (and setpriv is missing to leave it)";
    }
    void TearDown() override { stopProcess(sway, 5000); }

    // sway with two headless outputs of 320 x 240 side by side, each with a
    // background of its own from the config.
    void startSway(const QString& first, const QString& second) {
        const QString config = home.path() + QStringLiteral("/sway.conf");
        QFile file(config);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // No Xwayland: its X sockets (an abstract one among them) are not needed.
        file.write(QStringLiteral("xwayland disable\n"
                                  "output HEADLESS-1 resolution 320x240 position 0 0\n"
                                  "output HEADLESS-2 resolution 320x240 position 320 0\n"
                                  "output HEADLESS-1 bg %1 center\n"
                                  "output HEADLESS-2 bg %2 stretch\n")
                       .arg(first, second)
                       .toUtf8());
        file.close();
        QProcessEnvironment env = home.env().processEnvironment();
        env.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
        env.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
        env.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
        env.insert(QStringLiteral("WLR_HEADLESS_OUTPUTS"), QStringLiteral("2"));
        sway.setProcessEnvironment(env);
        sway.setStandardOutputFile(home.path() + QStringLiteral("/sway.log"));
        sway.setStandardErrorFile(home.path() + QStringLiteral("/sway.log"));
        sway.start(home.env().findExecutable(QStringLiteral("sway")),
                   {QStringLiteral("-c"), config});
        ASSERT_TRUE(sway.waitForStarted(5000));
        // sway names its socket after the user and its process.
        const QString socket =
            home.runtimeDir() +
            QStringLiteral("/sway-ipc.%1.%2.sock").arg(getuid()).arg(sway.processId());
        for (int i = 0; i < 100 && !QFileInfo::exists(socket); ++i) {
            QThread::msleep(100);
        }
        ASSERT_TRUE(QFileInfo::exists(socket)) << "sway did not start; see sway.log";
        home.env().set(QStringLiteral("SWAYSOCK"), socket);
        home.env().set(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("wayland-1"));
    }
    std::unique_ptr<desktop::DesktopBackend> backend() {
        return desktop::createDesktopBackend(QStringLiteral("sway"),
                                             {home.env(), 10000, 5000, QStringLiteral("/proc")});
    }
    QString plainPicture(const QString& relative, const QColor& colour) {
        const QString file = home.path() + QLatin1Char('/') + relative;
        QImage image(16, 12, QImage::Format_RGB32);
        image.fill(colour);
        image.save(file, "PNG");
        return file;
    }
    QImage output(const QString& name) {
        const QString file = home.path() + QStringLiteral("/shot.png");
        QFile::remove(file);
        runIn(home.env(), QStringLiteral("grim"), {QStringLiteral("-o"), name, file});
        return QImage(file);
    }
    // Waits until `name` shows `colour` at `x`, `y`; what it shows then.
    QImage waitFor(const QString& name, int x, int y, const QColor& colour) {
        QImage shot = output(name);
        for (int i = 0; i < 50 && shot.pixelColor(x, y) != colour; ++i) {
            QThread::msleep(100);
            shot = output(name);
        }
        return shot;
    }

    TestHome home;
    QProcess sway;
};

TEST_F(SwayDesktopTest, OnlyTheOutputShowingThePlacedPictureChanges) {
    const QString own = plainPicture(QStringLiteral("own.png"), Qt::red);
    const QString other = plainPicture(QStringLiteral("other.png"), Qt::green);
    startSway(own, other);
    auto swayBackend = backend();
    for (int i = 0; i < 50 && swayBackend->current().picture != own; ++i) {
        QThread::msleep(100);  // swaybg comes up a moment after sway
    }
    ASSERT_EQ(swayBackend->current().picture, own);
    EXPECT_EQ(swayBackend->current().mode, desktop::PictureMode::Centered);
    EXPECT_EQ(waitFor(QStringLiteral("HEADLESS-1"), 160, 120, Qt::red).pixelColor(160, 120),
              QColor(Qt::red));

    // A name sway would expand if it were not quoted and escaped.
    const QString picture = home.writePicture(QStringLiteral("a $HOME `x` (1) & \"q\" 'ß'.bmp"));
    desktop::ApplyResult result = swayBackend->apply(picture, true);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(swayBackend->current().picture, picture);
    EXPECT_EQ(swayBackend->current().tiled, true);
    QImage shot = waitFor(QStringLiteral("HEADLESS-1"), 1, 2, kMarker);
    EXPECT_EQ(shot.pixelColor(1, 2), kMarker);
    EXPECT_EQ(shot.pixelColor(1 + 16 * 5, 2 + 12 * 3), kMarker);
    // the other output keeps its own picture, stretched over it
    EXPECT_EQ(output(QStringLiteral("HEADLESS-2")).pixelColor(300, 200), QColor(Qt::green));

    result = swayBackend->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    shot = waitFor(QStringLiteral("HEADLESS-1"), 153, 116, kMarker);
    EXPECT_EQ(shot.pixelColor(153, 116), kMarker);  // centred: (320-16)/2 + 1, (240-12)/2 + 2
    EXPECT_NE(shot.pixelColor(1, 2), kMarker);
    EXPECT_EQ(output(QStringLiteral("HEADLESS-2")).pixelColor(10, 10), QColor(Qt::green));
}

// Restore gives back the output that shows the placed picture; one given a
// picture of the user's after the finish is left alone and named, unless forced.
TEST_F(SwayDesktopTest, RestoreGivesEachOutputItsOwn) {
    const QString own = plainPicture(QStringLiteral("own.png"), Qt::red);
    const QString other = plainPicture(QStringLiteral("other.png"), Qt::green);
    const QString later = plainPicture(QStringLiteral("later.png"), Qt::white);
    startSway(own, other);
    auto swayBackend = backend();
    for (int i = 0; i < 50 && swayBackend->current().picture != own; ++i) {
        QThread::msleep(100);
    }
    const QString saved = swayBackend->current().places;
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    ASSERT_TRUE(swayBackend->apply(picture, true).ok);
    runIn(home.env(), QStringLiteral("swaymsg"),
          {QStringLiteral("output HEADLESS-2 bg %1 fill").arg(later)});
    EXPECT_EQ(waitFor(QStringLiteral("HEADLESS-2"), 160, 120, Qt::white).pixelColor(160, 120),
              QColor(Qt::white));
    const auto ours = [&](const QString& s) { return desktop::originalOfShownCopy(s) == picture; };
    auto r = swayBackend->restorePlaces({saved, ours, false, {}, {}});
    ASSERT_TRUE(r.applied.ok) << r.applied.error.toStdString();
    EXPECT_EQ(r.restored, 1);
    ASSERT_EQ(r.leftAlone.size(), 1);
    EXPECT_NE(r.leftAlone[0].indexOf(later), -1) << r.leftAlone[0].toStdString();
    EXPECT_EQ(swayBackend->current().picture, own);
    EXPECT_EQ(swayBackend->current().mode, desktop::PictureMode::Centered);
    const QImage shot = waitFor(QStringLiteral("HEADLESS-1"), 160, 120, Qt::red);
    EXPECT_EQ(shot.pixelColor(160, 120), QColor(Qt::red));
    EXPECT_NE(shot.pixelColor(1, 2), QColor(Qt::red));  // centred, not stretched
    EXPECT_EQ(output(QStringLiteral("HEADLESS-2")).pixelColor(160, 120), QColor(Qt::white));

    r = swayBackend->restorePlaces({saved, ours, true, {}, {}});
    ASSERT_TRUE(r.applied.ok) << r.applied.error.toStdString();
    EXPECT_EQ(r.restored, 1);
    EXPECT_EQ(waitFor(QStringLiteral("HEADLESS-2"), 300, 200, Qt::green).pixelColor(300, 200),
              QColor(Qt::green));
}

}  // namespace
