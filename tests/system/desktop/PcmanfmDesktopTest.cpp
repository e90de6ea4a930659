// LXDE and LXQt for real: pcmanfm and pcmanfm-qt drawing the desktop of a
// virtual X server, told through their command line as in a session. Checked
// by their settings files and by the pixels of the screen.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QThread>

#include "DesktopSessions.h"
#include "system/desktop/DesktopFactory.h"
#include "system/desktop/DesktopText.h"
#include "system/desktop/LxdeBackend.h"
#include "system/desktop/WallpaperFiles.h"

using namespace desktoptest;
using desktop::KeyFileDialect;
using desktop::keyFileValue;
using desktop::readKeyFile;

namespace {

// Pictures are 16 x 12; the placed one is blue with a yellow pixel at (1, 2),
// the user's own plain red or green. The screen is 320 x 240.
const QColor kMarker(Qt::yellow);

class PcmanfmDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString missing =
            missingTool({tool(), QStringLiteral("Xvfb"), QStringLiteral("dbus-daemon"),
                         QStringLiteral("import")});
        ASSERT_TRUE(missing.isEmpty()) << missing.toStdString() << " is not installed";
        ASSERT_TRUE(display.running()) << display.error().toStdString();
        home.env().set(QStringLiteral("DISPLAY"), display.display());
        bus = std::make_unique<PrivateBus>(home, PrivateBus::Services::None);
        ASSERT_TRUE(bus->running()) << bus->error().toStdString();
        // The system's own profiles stay out of the way unless a test sets one.
        home.env().set(QStringLiteral("XDG_CONFIG_DIRS"), home.path() + QStringLiteral("/xdg"));
    }
    void TearDown() override {
        stopProcess(shell, 5000);
        bus.reset();
    }
    virtual QString tool() const = 0;
    virtual QString profile() const = 0;

    // The desktop as the session starts it; ready once the screen shows `colour`.
    void startDesktop(const QColor& colour) {
        shell.setProcessEnvironment(home.env().processEnvironment());
        shell.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        shell.setStandardOutputFile(QProcess::nullDevice());
        shell.start(home.env().findExecutable(tool()),
                    {QStringLiteral("--desktop"), QStringLiteral("--profile=") + profile()});
        ASSERT_TRUE(shell.waitForStarted(5000));
        for (int i = 0; i < 100 && root().pixelColor(160, 120) != colour; ++i) {
            QThread::msleep(100);
        }
        ASSERT_EQ(root().pixelColor(160, 120), colour) << tool().toStdString() << " did not draw";
    }
    std::unique_ptr<desktop::DesktopBackend> backend() {
        return desktop::createDesktopBackend(name(),
                                             {home.env(), 10000, 5000, QStringLiteral("/proc")});
    }
    virtual QString name() const = 0;

    QString plainPicture(const QString& relative, const QColor& colour) {
        const QString file = home.path() + QLatin1Char('/') + relative;
        QImage image(16, 12, QImage::Format_RGB32);
        image.fill(colour);
        image.save(file, "PNG");
        return file;
    }
    void write(const QString& relative, const QByteArray& text) {
        const QString path = home.path() + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write(text);
    }
    QImage root() { return grabRoot(home); }
    // Waits for the desktop to redraw, then: tiled, the marker repeats from the
    // top-left corner; centred, one copy in the middle of the screen.
    void expectDrawn(bool tiled) {
        QImage shot;
        for (int i = 0; i < 50; ++i) {
            shot = root();
            if ((shot.pixelColor(153, 116) == kMarker) != tiled) {
                break;
            }
            QThread::msleep(100);
        }
        ASSERT_FALSE(shot.isNull()) << "import could not grab the screen";
        EXPECT_EQ(shot.pixelColor(1, 2) == kMarker, tiled);
        EXPECT_EQ(shot.pixelColor(1 + 16 * 5, 2 + 12 * 3) == kMarker, tiled);
        EXPECT_EQ(shot.pixelColor(152 + 1, 114 + 2) == kMarker, !tiled);  // (320-16)/2, (240-12)/2
    }

    TestHome home;
    VirtualDisplay display;
    std::unique_ptr<PrivateBus> bus;
    QProcess shell;
};

class LxdeTest : public PcmanfmDesktopTest {
protected:
    QString tool() const override { return QStringLiteral("pcmanfm"); }
    QString profile() const override { return QStringLiteral("LXDE"); }
    QString name() const override { return QStringLiteral("lxde"); }
    QString items() const { return QStringLiteral("config/pcmanfm/LXDE/desktop-items-0.conf"); }
    QString freshCopy(const QString& picture, int n) const {
        return home.path() + QStringLiteral("/data/tessaryn/.") + QFileInfo(picture).fileName() +
               QStringLiteral(".shown-%1.bmp").arg(n);
    }
    std::optional<QString> saved(const QString& key) {
        return keyFileValue(readKeyFile(home.path() + QLatin1Char('/') + items()),
                            QStringLiteral("*"), key);
    }
};

TEST_F(LxdeTest, OnePictureForAllWorkspacesIsTiledThenCentred) {
    const QString own = plainPicture(QStringLiteral("own.png"), Qt::red);
    // pcmanfm before 1.2 kept the desktop in pcmanfm.conf; it still reads it.
    write(QStringLiteral("config/pcmanfm/LXDE/pcmanfm.conf"),
          QStringLiteral("[desktop]\nwallpaper_mode=center\nwallpaper=%1\n").arg(own).toUtf8());
    auto lxde = backend();
    EXPECT_EQ(lxde->current().picture, own);
    EXPECT_EQ(lxde->current().mode, desktop::PictureMode::Centered);
    startDesktop(Qt::red);

    const QString picture = home.writePicture(kAwkwardPicture);
    desktop::ApplyResult result = lxde->apply(picture, true);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    // pcmanfm 1.4 crashes on a path it showed before: each time a new name
    EXPECT_EQ(saved(QStringLiteral("wallpaper")), freshCopy(picture, 3));
    // tile, or with GTK 3 (which draws one tile) the picture tiled over the
    // screen, spanned
    EXPECT_EQ(saved(QStringLiteral("wallpaper_mode")) == QStringLiteral("screen"),
              desktop::isTiledScreenCopy(freshCopy(picture, 3)));
    EXPECT_EQ(lxde->current().picture, picture);
    EXPECT_EQ(lxde->current().tiled, true);
    EXPECT_EQ(lxde->current().mode, desktop::PictureMode::Tiled);
    expectDrawn(true);

    result = lxde->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(saved(QStringLiteral("wallpaper")), freshCopy(picture, 4));
    EXPECT_FALSE(QFile::exists(freshCopy(picture, 3)));
    EXPECT_EQ(saved(QStringLiteral("wallpaper_mode")), QStringLiteral("center"));
    expectDrawn(false);
}

TEST_F(LxdeTest, WithAPicturePerWorkspaceOnlyTheCurrentOneChanges) {
    const QString first = plainPicture(QStringLiteral("first.png"), Qt::red);
    const QString second = plainPicture(QStringLiteral("second.png"), Qt::green);
    write(items(), QStringLiteral("[*]\nwallpaper_mode=stretch\nwallpaper_common=0\n"
                                  "wallpapers_configured=2\nwallpaper0=%1\nwallpaper1=%2\n")
                       .arg(first, second)
                       .toUtf8());
    startDesktop(Qt::red);
    auto lxde = backend();
    EXPECT_EQ(lxde->current().picture, first);  // workspace 0 is shown
    EXPECT_EQ(lxde->current().mode, desktop::PictureMode::Stretched);

    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    const desktop::ApplyResult result = lxde->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(saved(QStringLiteral("wallpaper0")), freshCopy(picture, 3));
    EXPECT_EQ(saved(QStringLiteral("wallpaper1")), second);
    EXPECT_EQ(saved(QStringLiteral("wallpaper_mode")), QStringLiteral("stretch"));
    EXPECT_EQ(lxde->current().picture, picture);
    // stretched over the whole screen: the blue of the picture everywhere
    QImage shot = root();
    for (int i = 0; i < 50 && shot.pixelColor(300, 200) != QColor(30, 90, 160); ++i) {
        QThread::msleep(100);
        shot = root();
    }
    EXPECT_EQ(shot.pixelColor(300, 200), QColor(30, 90, 160));
}

class LxqtTest : public PcmanfmDesktopTest {
protected:
    QString tool() const override { return QStringLiteral("pcmanfm-qt"); }
    QString profile() const override { return QStringLiteral("lxqt"); }
    QString name() const override { return QStringLiteral("lxqt"); }
    std::optional<QString> saved(const QString& key) {
        return keyFileValue(
            readKeyFile(home.configHome() + QStringLiteral("/pcmanfm-qt/lxqt/settings.conf"),
                        KeyFileDialect::Qt),
            QStringLiteral("Desktop"), key);
    }
};

TEST_F(LxqtTest, AFreshSessionShowsTheSystemProfileAndTakesTheCalendar) {
    const QString own = plainPicture(QStringLiteral("own.png"), Qt::green);
    // A fresh session: only the system's profile, as lxqt-config ships it.
    write(QStringLiteral("xdg/pcmanfm-qt/lxqt/settings.conf"),
          QStringLiteral("[Desktop]\nWallpaper=%1\nWallpaperMode=stretch\n").arg(own).toUtf8());
    auto lxqt = backend();
    EXPECT_EQ(lxqt->current().picture, own);
    EXPECT_EQ(lxqt->current().mode, desktop::PictureMode::Stretched);
    startDesktop(Qt::green);

    const QString picture = home.writePicture(kAwkwardPicture);
    desktop::ApplyResult result = lxqt->apply(picture, true);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    // A picture it does not show yet is handed as it is: nothing is written
    // beside the user's pictures.
    EXPECT_EQ(saved(QStringLiteral("Wallpaper")), picture);
    EXPECT_EQ(QDir(QFileInfo(picture).path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    EXPECT_EQ(lxqt->current().tiled, true);
    expectDrawn(true);

    // The same path again goes through a copy in the program's own folder.
    result = lxqt->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(saved(QStringLiteral("Wallpaper")), home.path() + QStringLiteral("/data/tessaryn/.") +
                                                      QFileInfo(picture).fileName() +
                                                      QStringLiteral(".shown-1.bmp"));
    EXPECT_EQ(lxqt->current().picture, picture);
    EXPECT_EQ(lxqt->current().mode, desktop::PictureMode::Centered);
    expectDrawn(false);
}

}  // namespace

// Each monitor tiles from its own corner; the screen outside them is black.
TEST(LxdeTiles, EachMonitorTilesFromItsCorner) {
    QImage tile(4, 3, QImage::Format_RGB32);
    tile.fill(Qt::blue);
    tile.setPixelColor(0, 0, Qt::red);
    const QImage out = desktop::LxdeBackend::tiledOverScreen(
        tile, {30, 20}, {QRect(0, 0, 10, 10), QRect(13, 5, 10, 10)});
    ASSERT_EQ(out.size(), QSize(30, 20));
    EXPECT_EQ(out.pixelColor(8, 9), QColor(Qt::red));           // (2, 3) tiles into the first
    EXPECT_EQ(out.pixelColor(13 + 8, 5 + 9), QColor(Qt::red));  // and from the second's corner
    EXPECT_EQ(out.pixelColor(12, 0), QColor(Qt::black));        // between them
    EXPECT_EQ(out.pixelColor(10, 9), QColor(Qt::black));
}
