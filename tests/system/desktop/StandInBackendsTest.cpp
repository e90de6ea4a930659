// LXQt, LXDE and sway, whose shells cannot run here, against
// stand-in programs that record their arguments and store what they were told
// where the real ones do.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "DesktopSessions.h"
#include "system/desktop/DesktopFactory.h"

using namespace desktoptest;

namespace {

QByteArray contents(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
}

class StandInTest : public ::testing::Test {
protected:
    std::unique_ptr<desktop::DesktopBackend> make(const QString& name) {
        return desktop::createDesktopBackend(name, {home.env(), 3000, 300, proc()});
    }
    QString proc() const { return home.path() + QStringLiteral("/proc"); }
    // A hidden copy beside the picture, as handed to desktops that need one.
    QString shownCopy(const QString& picture, int n, const QString& ext) const {
        const QFileInfo info(picture);
        return info.path() + QStringLiteral("/.") + info.fileName() +
               QStringLiteral(".shown-%1.").arg(n) + ext;
    }

    TestHome home;
    StandIns tools{home};
};

// pcmanfm-qt keeps [Desktop] Wallpaper and WallpaperMode in its profile's settings.conf.
const QString kPcmanfmQt = QStringLiteral(
    "while [ $# -gt 0 ]; do\n"
    "  case \"$1\" in --set-wallpaper) wp=$2; shift ;; --wallpaper-mode) mode=$2; shift ;; esac\n"
    "  shift\n"
    "done\n"
    "mkdir -p \"$XDG_CONFIG_HOME/pcmanfm-qt/lxqt\"\n"
    "printf '[Desktop]\\nWallpaper=%s\\nWallpaperMode=%s\\n' \"$wp\" \"$mode\" > "
    "\"$XDG_CONFIG_HOME/pcmanfm-qt/lxqt/settings.conf\"\n");

TEST_F(StandInTest, LxqtGetsAlternatingCopiesAndTheModesMapBothWays) {
    tools.add(QStringLiteral("pcmanfm-qt"), kPcmanfmQt);
    const QString picture = home.writePicture(kAwkwardPicture);
    auto lxqt = make(QStringLiteral("lxqt"));

    struct Step {
        bool tiled;
        int copy;
        const char* mode;
    };
    for (const Step step :
         {Step{true, 1, "tile"}, Step{false, 2, "center"}, Step{false, 1, "center"}}) {
        const desktop::ApplyResult result = lxqt->apply(picture, step.tiled);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        const QString copy = shownCopy(picture, step.copy, QStringLiteral("bmp"));
        EXPECT_EQ(
            tools.calls(QStringLiteral("pcmanfm-qt")).last(),
            (QStringList{QStringLiteral("--set-wallpaper"), copy,
                         QStringLiteral("--wallpaper-mode"), QString::fromLatin1(step.mode)}));
        EXPECT_EQ(contents(copy), contents(picture));
        EXPECT_EQ(lxqt->liveWallpaper(), picture);
        EXPECT_EQ(lxqt->liveTiled(), step.tiled);
    }
}

TEST_F(StandInTest, LxqtReadsQtEscapesAndKeepsTheUsersMode) {
    tools.add(QStringLiteral("pcmanfm-qt"), kPcmanfmQt);
    writeFile(home.configHome() + QStringLiteral("/pcmanfm-qt/lxqt/settings.conf"),
              "[Desktop]\nWallpaper=\"/srv/\\x58c1\\x7d19, \\x30a2.jpg\"\nWallpaperMode=zoom\n");
    auto lxqt = make(QStringLiteral("lxqt"));
    EXPECT_EQ(lxqt->liveWallpaper(), QStringLiteral("/srv/壁紙, ア.jpg"));
    EXPECT_EQ(lxqt->liveTiled(), false);
    ASSERT_TRUE(lxqt->apply(home.writePicture(QStringLiteral("Tessavel.bmp")), false).ok);
    EXPECT_EQ(tools.calls(QStringLiteral("pcmanfm-qt")).last().last(), QStringLiteral("zoom"));
}

// pcmanfm keeps [*] wallpaper and wallpaper_mode in its profile's desktop-items-0.conf.
const QString kPcmanfm = QStringLiteral(
    "for a in \"$@\"; do\n"
    "  case \"$a\" in --set-wallpaper=*) wp=${a#--set-wallpaper=} ;; --wallpaper-mode=*) "
    "mode=${a#--wallpaper-mode=} ;; esac\n"
    "done\n"
    "mkdir -p \"$XDG_CONFIG_HOME/pcmanfm/LXDE\"\n"
    "printf '[*]\\nwallpaper_mode=%s\\nwallpaper=%s\\n' \"$mode\" \"$wp\" > "
    "\"$XDG_CONFIG_HOME/pcmanfm/LXDE/desktop-items-0.conf\"\n");

TEST_F(StandInTest, LxdeIsGivenThePathAndTheModesMapBothWays) {
    tools.add(QStringLiteral("pcmanfm"), kPcmanfm);
    const QString picture = home.writePicture(kAwkwardPicture);
    auto lxde = make(QStringLiteral("lxde"));
    ASSERT_TRUE(lxde->apply(picture, true).ok);
    EXPECT_EQ(tools.calls(QStringLiteral("pcmanfm")).last(),
              (QStringList{QStringLiteral("--set-wallpaper=") + picture,
                           QStringLiteral("--wallpaper-mode=tile")}));
    EXPECT_EQ(lxde->liveWallpaper(), picture);
    EXPECT_EQ(lxde->liveTiled(), true);

    ASSERT_TRUE(lxde->apply(picture, false).ok);
    EXPECT_EQ(tools.calls(QStringLiteral("pcmanfm")).last().last(),
              QStringLiteral("--wallpaper-mode=center"));
    EXPECT_EQ(lxde->liveTiled(), false);

    writeFile(home.configHome() + QStringLiteral("/pcmanfm/LXDE/desktop-items-0.conf"),
              "[*]\nwallpaper_mode=crop\nwallpaper=/srv/back\\\\slash\\ttab.png\n");
    EXPECT_EQ(lxde->liveWallpaper(), QStringLiteral("/srv/back\\slash\ttab.png"));
    ASSERT_TRUE(lxde->apply(picture, false).ok);
    EXPECT_EQ(tools.calls(QStringLiteral("pcmanfm")).last().last(),
              QStringLiteral("--wallpaper-mode=crop"));
}

// swaymsg: sway takes the quotes off, wordexp(3) the backslashes, and starts
// swaybg with what is left; the stand-in does the same into a fake /proc.
const QString kSwaymsg = QStringLiteral(
    "img=$(printf '%s' \"$4\" | sed -e 's/^\"//' -e 's/\"$//' -e 's/\\\\\\(.\\)/\\1/g')\n"
    "mkdir -p \"$FAKE_PROC/4242\"\n"
    "for a in swaybg -o '*' -i \"$img\" -m \"$5\"; do printf '%s\\000' \"$a\"; done > "
    "\"$FAKE_PROC/4242/cmdline\"\n"
    "echo '[ { \"success\": true } ]'\n");

TEST_F(StandInTest, SwayGetsOneQuotedPathThatSurvivesItsExpansion) {
    home.env().set(QStringLiteral("FAKE_PROC"), proc());
    tools.add(QStringLiteral("swaymsg"), kSwaymsg);
    const QString picture = home.writePicture(QStringLiteral("a $HOME `x` (1) & \"q\" 'ß'.bmp"));
    auto sway = make(QStringLiteral("sway"));

    desktop::ApplyResult result = sway->apply(picture, true);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const QStringList call = tools.calls(QStringLiteral("swaymsg")).last();
    ASSERT_EQ(call.size(), 5);
    EXPECT_EQ(call.mid(0, 3),
              (QStringList{QStringLiteral("output"), QStringLiteral("*"), QStringLiteral("bg")}));
    EXPECT_TRUE(call.at(3).startsWith(QLatin1Char('"')) && call.at(3).endsWith(QLatin1Char('"')));
    EXPECT_EQ(call.at(4), QStringLiteral("tile"));
    EXPECT_EQ(sway->liveWallpaper(), picture);
    EXPECT_EQ(sway->liveTiled(), true);

    result = sway->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(tools.calls(QStringLiteral("swaymsg")).last().last(), QStringLiteral("center"));
    EXPECT_EQ(sway->liveTiled(), false);
}

TEST_F(StandInTest, SwayRefusingOrNotShowingThePictureIsAFailure) {
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    tools.add(QStringLiteral("swaymsg"),
              QStringLiteral("echo '[ { \"success\": false, \"parse_error\": false, \"error\": "
                             "\"Invalid output\" } ]'\n"
                             "exit 2\n"));
    desktop::ApplyResult result = make(QStringLiteral("sway"))->apply(picture, false);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, QStringLiteral("sway: Invalid output"));

    tools.add(QStringLiteral("swaymsg"),
              QStringLiteral("echo '[ { \"success\": true } ]'\n"));  // no swaybg
    result = make(QStringLiteral("sway"))->apply(picture, false);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.indexOf(QStringLiteral("swaybg")), -1) << result.error.toStdString();
}

struct ToolFailure {
    const char* backend;
    const char* tool;
};

class ToolFailureTest : public StandInTest, public ::testing::WithParamInterface<ToolFailure> {};

TEST_P(ToolFailureTest, AMissingFailingOrHangingToolIsReportedNotTakenForSuccess) {
    const QString backend = QString::fromLatin1(GetParam().backend);
    const QString tool = QString::fromLatin1(GetParam().tool);
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    home.env().set(QStringLiteral("PATH"), tools.dir());
    home.env().set(QStringLiteral("DISPLAY"), QStringLiteral(":99"));

    desktop::ApplyResult result = make(backend)->apply(picture, false);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, tool + QStringLiteral(" is not installed (not found on PATH)"));

    tools.add(tool, QStringLiteral("echo 'cannot reach the desktop' >&2\nexit 3\n"));
    result = make(backend)->apply(picture, false);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.indexOf(QStringLiteral("cannot reach the desktop")), -1)
        << result.error.toStdString();

    tools.add(tool, QStringLiteral("exec /bin/sleep 30\n"));
    result = desktop::createDesktopBackend(backend, {home.env(), 300, 100, proc()})
                 ->apply(picture, false);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.indexOf(QStringLiteral("did not answer")), -1)
        << result.error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, ToolFailureTest,
    ::testing::Values(ToolFailure{"lxqt", "pcmanfm-qt"}, ToolFailure{"lxde", "pcmanfm"},
                      ToolFailure{"sway", "swaymsg"}, ToolFailure{"hyprland", "hyprctl"},
                      ToolFailure{"feh", "feh"}, ToolFailure{"nitrogen", "nitrogen"},
                      ToolFailure{"gnome", "gsettings"}),
    [](const ::testing::TestParamInfo<ToolFailure>& p) { return std::string(p.param.backend); });

class BadPictureTest : public StandInTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BadPictureTest, AMissingPictureIsRefusedWithItsPath) {
    home.env().set(QStringLiteral("DISPLAY"), QStringLiteral(":99"));
    const QString missing = home.path() + QStringLiteral("/gone/Tessavel.bmp");
    const desktop::ApplyResult result =
        make(QString::fromLatin1(GetParam()))->apply(missing, false);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, QStringLiteral("the picture \"%1\" does not exist").arg(missing));
}

INSTANTIATE_TEST_SUITE_P(Desktops, BadPictureTest,
                         ::testing::Values("gnome", "cinnamon", "mate", "xfce", "kde", "lxqt",
                                           "lxde", "sway", "hyprland", "feh", "nitrogen",
                                           "xwallpaper"));

}  // namespace
