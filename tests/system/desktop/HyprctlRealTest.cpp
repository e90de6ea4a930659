// Hyprland's real hyprctl (0.54 and later: hyprpaper protocol revision 2 over
// hyprwire), run by scripts/test-desktops.sh current. hyprpaper itself cannot
// run there, so hyprctl talks to hyprpaper-standin, which serves hyprpaper's
// and Hyprland's sockets as they do and writes down what each monitor shows.
// Two monitors, DP-1 and HDMI-A-1; the user's hyprpaper.conf gives DP-1 its
// own picture and the rest the wildcard's.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>

#include "DesktopSessions.h"
#include "system/desktop/HyprlandBackend.h"

using namespace desktoptest;

namespace {

class HyprctlRealTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString missing = missingTool({QStringLiteral("hyprctl")});
        if (!missing.isEmpty()) {
            GTEST_SKIP() << missing.toStdString() << " is not installed";
        }
        home.env().set(QStringLiteral("HYPRLAND_INSTANCE_SIGNATURE"),
                       QStringLiteral("tessaryn_1_1"));
        home.env().set(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("Hyprland"));
        own = plain(QStringLiteral("own.png"), Qt::red);
        other = plain(QStringLiteral("other.png"), Qt::green);
        QDir().mkpath(home.configHome() + QStringLiteral("/hypr"));
        QFile conf(home.configHome() + QStringLiteral("/hypr/hyprpaper.conf"));
        ASSERT_TRUE(conf.open(QIODevice::WriteOnly));
        conf.write(QStringLiteral("wallpaper {\n  monitor = DP-1\n  path = %1\n  fit_mode = "
                                  "contain\n}\nwallpaper {\n  monitor = *\n  path = %2\n}\n")
                       .arg(own, other)
                       .toUtf8());
        conf.close();
        hyprpaper.setProcessEnvironment(home.env().processEnvironment());
        hyprpaper.start(
            QStringLiteral(HYPRPAPER_STANDIN),
            {state(), QStringLiteral("DP-1:Dell Inc. U2720Q 1234"),
             QStringLiteral("HDMI-A-1:LG Electronics 27GL850 5678"), QStringLiteral("--"),
             QStringLiteral("DP-1,%1,contain").arg(own), QStringLiteral("*,%1,cover").arg(other)});
        ASSERT_TRUE(hyprpaper.waitForReadyRead(5000)) << "hyprpaper-standin did not start";
    }
    void TearDown() override {
        hyprpaper.kill();
        hyprpaper.waitForFinished(2000);
    }

    QString plain(const QString& name, const QColor& colour) {
        QImage image(16, 12, QImage::Format_RGB32);
        image.fill(colour);
        image.save(home.path() + QLatin1Char('/') + name);
        return home.path() + QLatin1Char('/') + name;
    }
    QString state() const { return home.path() + QStringLiteral("/shown"); }
    // What each monitor shows: "NAME FIT PATH".
    QStringList shown() const {
        QFile f(state());
        if (!f.open(QIODevice::ReadOnly)) {
            return {};
        }
        return QString::fromUtf8(f.readAll()).replace('\t', ' ').split('\n', Qt::SkipEmptyParts);
    }

    TestHome home;
    QProcess hyprpaper;
    QString own, other;
};

TEST_F(HyprctlRealTest, OnlyTheMonitorShowingThePlacedPictureChangesThroughACommaFreeCopy) {
    desktop::HyprlandBackend hyprland({home.env(), 10000, 3000, QStringLiteral("/proc")});
    EXPECT_EQ(hyprland.current().picture, own);
    EXPECT_EQ(hyprland.current().mode, desktop::PictureMode::Scaled);

    // hyprctl splits its argument on every comma.
    const QString picture = home.writePicture(QStringLiteral("Bilder, mit Komma/Tessavel.bmp"));
    desktop::ApplyResult result = hyprland.apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    QStringList now = shown();
    ASSERT_EQ(now.size(), 2) << now.join('\n').toStdString();
    EXPECT_TRUE(now[0].startsWith(QStringLiteral("DP-1 contain /"))) << now[0].toStdString();
    const QString copy = now[0].section(QLatin1Char(' '), 2);
    EXPECT_FALSE(copy.contains(QLatin1Char(','))) << copy.toStdString();
    EXPECT_EQ(QImage(copy).convertToFormat(QImage::Format_RGB32),
              QImage(picture).convertToFormat(QImage::Format_RGB32));
    EXPECT_EQ(now[1], QStringLiteral("HDMI-A-1 cover ") + other);
    EXPECT_EQ(hyprland.current().picture, picture);

    result = hyprland.apply(picture, true);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    now = shown();
    EXPECT_TRUE(now.value(0).startsWith(QStringLiteral("DP-1 tile /")))
        << now.join('\n').toStdString();
    EXPECT_EQ(now.value(1), QStringLiteral("HDMI-A-1 cover ") + other);
    EXPECT_EQ(hyprland.current().tiled, true);
}

}  // namespace
