// Hyprland cannot run on Debian 12: hyprctl is a stand-in, in the two
// generations of the hyprpaper protocol, each doing what the named source
// files of Hyprland and hyprpaper do. Two monitors, DP-1 and HDMI-A-1.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>

#include "DesktopSessions.h"
#include "system/desktop/HyprlandBackend.h"
#include "system/desktop/WallpaperFiles.h"

using namespace desktoptest;

namespace {

// hyprctl monitors -j: Hyprland's monitors, in its order.
const QString kMonitors = QStringLiteral(
    "mons='DP-1 HDMI-A-1'\n"
    "if [ \"$1\" = monitors ]; then\n"
    "  echo '[{\"id\": 0, \"name\": \"DP-1\"}, {\"id\": 1, \"name\": \"HDMI-A-1\"}]'; exit 0\n"
    "fi\n"
    "s=\"$HOME/hyprpaper\"; mkdir -p \"$s\"; touch \"$s/preloaded\" \"$s/active\"\n");

// hyprpaper 0.7 (src/ipc/Socket.cpp, src/config/ConfigManager.cpp): hyprctl
// sends "keyword value"; preload needs an existing file, wallpaper a
// preloaded one and answers "ok"; "MONITOR,[tile:|contain:]PATH" with an
// empty monitor is the wildcard, which monitors with their own wallpaper
// ignore; listactive gives "MONITOR = PATH" with the mode prefix taken off.
const QString kHyprctl07 =
    kMonitors +
    QStringLiteral(
        "case \"$2\" in\n"
        "  listactive)\n"
        "    for m in $mons; do\n"
        "      entry=$(grep -m1 \"^$m,\" \"$s/active\" | cut -d, -f2-)\n"
        "      [ -n \"$entry\" ] || entry=$(grep -m1 '^,' \"$s/active\" | cut -d, -f2-)\n"
        "      [ -n \"$entry\" ] || continue\n"
        "      p=${entry#tile:}; p=${p#contain:}; echo \"$m = $p\"\n"
        "    done ;;\n"
        "  preload)\n"
        "    if [ -f \"$3\" ]; then printf '%s\\n' \"$3\" >> \"$s/preloaded\"; echo ok;\n"
        "    else echo 'preload failed (no such file)'; fi ;;\n"
        "  unload) grep -vxF \"$3\" \"$s/preloaded\" > \"$s/p\"; mv \"$s/p\" \"$s/preloaded\"; "
        "echo ok ;;\n"
        "  wallpaper)\n"
        "    mon=${3%%,*}; entry=${3#*,}; p=${entry#tile:}; p=${p#contain:}\n"
        "    if grep -qxF \"$p\" \"$s/preloaded\"; then\n"
        "      grep -v \"^$mon,\" \"$s/active\" > \"$s/a\"; printf '%s,%s\\n' \"$mon\" \"$entry\" "
        ">> \"$s/a\"\n"
        "      mv \"$s/a\" \"$s/active\"; echo ok\n"
        "    else echo 'wallpaper failed (not preloaded)'; fi ;;\n"
        "  *) echo 'invalid command' ;;\n"
        "esac\n");

// Hyprland 0.53's hyprctl (hyprctl/src/hyprpaper/Hyprpaper.cpp, main.cpp)
// with hyprpaper 0.8 (src/ipc/IPC.cpp): only "wallpaper MONITOR,PATH,FIT";
// the path must exist and the monitor be known; nothing is printed on
// success, "error: ..." and status 1 otherwise. hyprpaper keeps what it
// shows to itself; the stand-in notes it in "shown" for the test.
const QString kHyprctl08 =
    kMonitors +
    QStringLiteral(
        "[ \"$2\" = wallpaper ] || { echo 'error: Unknown hyprpaper request'; exit 1; }\n"
        "mon=${3%%,*}; rest=${3#*,}; path=${rest%%,*}; fit=${rest#*,}; [ \"$fit\" = \"$rest\" ] && "
        "fit=cover\n"
        "[ -e \"$path\" ] || { echo \"error: bad path: $path\"; exit 1; }\n"
        "case \" $mons \" in *\" $mon \"*|'  ') ;; *) [ -z \"$mon\" ] || { echo 'error: failed to "
        "set "
        "wallpaper: Invalid monitor'; exit 1; } ;; esac\n"
        "grep -v \"^$mon,\" \"$s/active\" > \"$s/a\"; printf '%s,%s,%s\\n' \"$mon\" \"$path\" "
        "\"$fit\" >> \"$s/a\"; mv \"$s/a\" \"$s/active\"\n");

// hyprctl 0.54+ (hyprctl/src/hyprpaper/Hyprpaper.cpp: canonical path; fit
// "fit"/"stretch" sent as stretch, which hyprpaper 0.8.4 stores as "fit" and
// draws as cover: src/ipc/IPC.cpp, src/ui/UI.cpp; listactive "MON: PATH" for
// every monitor). With "$s/rev1" hyprpaper is 0.8.0-0.8.3 (protocol rev 1).
const QString kHyprctl054 = QStringLiteral(
    "if [ \"$1\" = monitors ]; then\n"
    "  echo '[{\"name\": \"DP-1\", \"description\": \"Dell Inc. DELL U2415 7MT\"},"
    " {\"name\": \"HDMI-A-1\", \"description\": \"LG Electronics 27GL850\"}]'; exit 0\n"
    "fi\n"
    "s=\"$HOME/hyprpaper\"; mkdir -p \"$s\"; touch \"$s/active\"\n"
    "case \"$2\" in\n"
    "  listactive)\n"
    "    [ -e \"$s/rev1\" ] && { echo 'error: can'\\''t send: hyprpaper protocol version too low "
    "(hyprpaper too old)'; exit 1; }\n"
    "    for m in DP-1 HDMI-A-1; do\n"
    "      p=$(grep -m1 \"^$m,\" \"$s/active\" | cut -d, -f2)\n"
    "      [ -n \"$p\" ] || p=$(grep -m1 '^,' \"$s/active\" | cut -d, -f2)\n"
    "      echo \"$m: $p\"\n"
    "    done ;;\n"
    "  wallpaper)\n"
    "    IFS=, read -r mon path fit <<EOT\n$3\nEOT\n"
    "    path=$(realpath -e \"$path\") || { echo \"error: bad path: $path\"; exit 1; }\n"
    "    case \"$fit\" in contain|tile) ;; fit|stretch) fit=fit ;; *) fit=cover ;; esac\n"
    "    grep -v \"^$mon,\" \"$s/active\" > \"$s/a\"; printf '%s,%s,%s\\n' \"$mon\" \"$path\" "
    "\"$fit\" >> \"$s/a\"; mv \"$s/a\" \"$s/active\" ;;\n"
    "  *) echo 'error: invalid hyprpaper request'; exit 1 ;;\n"
    "esac\n");

class HyprlandTest : public ::testing::Test {
protected:
    std::unique_ptr<desktop::HyprlandBackend> make() {
        return std::make_unique<desktop::HyprlandBackend>(
            desktop::DesktopContext{home.env(), 3000, 300, QStringLiteral("/proc")});
    }
    // hyprpaper gets a PNG copy, made in the program's own folder
    QString shownCopy(const QString& picture, int n) const {
        return home.path() + QStringLiteral("/data/tessaryn/.") + QFileInfo(picture).fileName() +
               QStringLiteral(".shown-%1.png").arg(n);
    }
    void write(const QString& relative, const QByteArray& text) {
        const QString path = home.path() + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(text);
    }
    QStringList active() const {
        QFile f(home.path() + QStringLiteral("/hyprpaper/active"));
        f.open(QIODevice::ReadOnly);
        QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
        lines.sort();
        return lines;
    }
    QList<QStringList> hyprpaperCalls() const {
        QList<QStringList> calls;
        for (const QStringList& call : tools.calls(QStringLiteral("hyprctl"))) {
            if (call.value(0) == QStringLiteral("hyprpaper")) {
                calls << call.mid(1);
            }
        }
        return calls;
    }

    TestHome home;
    StandIns tools{home};
};

TEST_F(HyprlandTest, Hyprpaper07ChangesOnlyTheMonitorShowingThePlacedPicture) {
    tools.add(QStringLiteral("hyprctl"), kHyprctl07);
    write(QStringLiteral("hyprpaper/active"), "DP-1,/srv/own.png\nHDMI-A-1,/srv/other.png\n");
    const QString picture = home.writePicture(kAwkwardPicture);
    const QString first = shownCopy(picture, 1), second = shownCopy(picture, 2);
    auto hyprland = make();
    EXPECT_EQ(hyprland->current().picture, QStringLiteral("/srv/own.png"));
    EXPECT_EQ(hyprland->current().mode, desktop::PictureMode::Zoom);  // cover

    desktop::ApplyResult result = hyprland->apply(picture, true);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(active(), (QStringList{QStringLiteral("DP-1,tile:") + first,
                                     QStringLiteral("HDMI-A-1,/srv/other.png")}));
    // listactive no longer tells the mode; the backend knows what it set
    EXPECT_EQ(hyprland->current().picture, picture);
    EXPECT_EQ(hyprland->current().tiled, true);

    result = hyprland->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(active().first(), QStringLiteral("DP-1,contain:") + second);
    const QList<QStringList> calls = hyprpaperCalls();
    const qsizetype secondPreload = calls.indexOf(QStringList{QStringLiteral("preload"), second});
    ASSERT_GT(secondPreload, 0);
    EXPECT_EQ(
        calls.mid(secondPreload, 3),
        (QList<QStringList>{{QStringLiteral("preload"), second},
                            {QStringLiteral("wallpaper"), QStringLiteral("DP-1,contain:") + second},
                            {QStringLiteral("unload"), first}}));
    EXPECT_EQ(QImageReader(second).format(), QByteArray("png"));
    EXPECT_EQ(QImage(second).convertToFormat(QImage::Format_RGB32),
              QImage(picture).convertToFormat(QImage::Format_RGB32));
}

TEST_F(HyprlandTest, Hyprpaper07ModesComeFromItsConfigAndTheWildcardIsNotUsed) {
    tools.add(QStringLiteral("hyprctl"), kHyprctl07);
    // Both monitors on the wildcard, tiled, as hyprpaper.conf set them.
    write(QStringLiteral("hyprpaper/active"), ",tile:/srv/own.png\n");
    write(QStringLiteral("config/hypr/hyprpaper.conf"),
          "preload = /srv/own.png\nwallpaper = ,tile:/srv/own.png\n");
    auto hyprland = make();
    EXPECT_EQ(hyprland->current().picture, QStringLiteral("/srv/own.png"));
    EXPECT_EQ(hyprland->current().tiled, true);
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    ASSERT_TRUE(hyprland->apply(picture, false).ok);
    const QString png = shownCopy(picture, 1);
    EXPECT_EQ(active(), (QStringList{QStringLiteral(",tile:/srv/own.png"),
                                     QStringLiteral("DP-1,contain:") + png,
                                     QStringLiteral("HDMI-A-1,contain:") + png}));
    for (const QStringList& call : hyprpaperCalls()) {
        EXPECT_NE(call.value(0), QStringLiteral("unload"));  // the user's picture stays loaded
    }
}

TEST_F(HyprlandTest, Hyprpaper08GetsOneWallpaperRequestPerMonitorWithItsFitMode) {
    tools.add(QStringLiteral("hyprctl"), kHyprctl08);
    write(QStringLiteral("config/hypr/hyprpaper.conf"),
          "wallpaper {\n  monitor = DP-1\n  path = ~/own.png\n  fit_mode = contain\n}\n"
          "wallpaper {\n  monitor =\n  path = /srv/other.png\n}\n");
    auto hyprland = make();
    EXPECT_EQ(hyprland->current().picture, home.path() + QStringLiteral("/own.png"));
    EXPECT_EQ(hyprland->current().mode, desktop::PictureMode::Scaled);

    const QString picture = home.writePicture(kAwkwardPicture);
    desktop::ApplyResult result = hyprland->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(active(), QStringList{QStringLiteral("DP-1,%1,contain").arg(shownCopy(picture, 1))});
    EXPECT_EQ(hyprland->current().picture, picture);  // hyprpaper cannot tell; the backend can

    result = hyprland->apply(picture, true);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(active(), QStringList{QStringLiteral("DP-1,%1,tile").arg(shownCopy(picture, 2))});
    EXPECT_EQ(hyprland->current().tiled, true);
    for (const QStringList& call : hyprpaperCalls()) {
        EXPECT_TRUE(call.value(0) == QStringLiteral("wallpaper") ||
                    call.value(0) == QStringLiteral("listactive"))
            << call.join(' ').toStdString();
    }
}

TEST_F(HyprlandTest, Hyprpaper084IsReadBackAnd080TakesItsConfigWithWildcardsAndDescriptions) {
    tools.add(QStringLiteral("hyprctl"), kHyprctl054);
    // DP-1 by a description prefix, stretched; HDMI-A-1 on the "*" wildcard.
    write(QStringLiteral("config/hypr/hyprpaper.conf"),
          "wallpaper {\n  monitor = *\n  path = /srv/all.png\n}\n"
          "wallpaper {\n  monitor = desc:Dell Inc. DELL\n  path = /srv/dell.png\n"
          "  fit_mode = fill\n}\n");
    write(QStringLiteral("hyprpaper/active"), ",/srv/all.png,cover\nDP-1,/srv/dell.png,fill\n");
    write(QStringLiteral("hyprpaper/rev1"), "");
    auto hyprland = make();
    EXPECT_EQ(hyprland->current().picture, QStringLiteral("/srv/dell.png"));
    EXPECT_EQ(hyprland->current().mode, desktop::PictureMode::Stretched);
    QFile::remove(home.path() + QStringLiteral("/hyprpaper/rev1"));  // now 0.8.4

    // hyprctl cuts "MON,PATH,FIT" at every comma: the picture goes through a
    // copy without one, in our own folder. Stretched cannot be asked for.
    const QString picture = home.writePicture(QStringLiteral("a,b/Tessavel, 2.bmp"));
    desktop::ApplyResult result = hyprland->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    const QString copy =
        home.path() + QStringLiteral("/data/tessaryn/.Tessavel_ 2.bmp.shown-1.png");
    EXPECT_EQ(active(), (QStringList{QStringLiteral(",/srv/all.png,cover"),
                                     QStringLiteral("DP-1,%1,cover").arg(copy)}));
    EXPECT_EQ(hyprland->current().picture, picture);  // the copy names the picture it stands for
    EXPECT_EQ(hyprland->current().mode, desktop::PictureMode::Zoom);
}

TEST_F(HyprlandTest, Hyprpaper07WithNothingActiveNamesEachMonitor) {
    tools.add(QStringLiteral("hyprctl"),
              kHyprctl07 + QStringLiteral("if [ \"$2\" = listactive ] && [ ! -s \"$s/active\" ]; "
                                          "then echo 'no wallpapers active'; fi\n"));
    auto hyprland = make();
    EXPECT_EQ(hyprland->current().picture, std::nullopt);
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    const desktop::ApplyResult result = hyprland->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(active(), (QStringList{QStringLiteral("DP-1,") + shownCopy(picture, 1),
                                     QStringLiteral("HDMI-A-1,") + shownCopy(picture, 1)}));
}

// Restore, as another run of the program, gives each monitor its own picture
// and mode back; one given a picture of the user's after the finish is left
// alone and named, unless forced.
TEST_F(HyprlandTest, Hyprpaper07RestoreGivesEachMonitorItsOwn) {
    tools.add(QStringLiteral("hyprctl"), kHyprctl07);
    const QString own = home.writePicture(QStringLiteral("own.bmp"));
    const QString other = home.writePicture(QStringLiteral("other.bmp"));
    write(QStringLiteral("hyprpaper/active"),
          QStringLiteral("DP-1,contain:%1\nHDMI-A-1,%2\n").arg(own, other).toUtf8());
    write(QStringLiteral("config/hypr/hyprpaper.conf"),
          QStringLiteral("wallpaper = DP-1,contain:%1\n").arg(own).toUtf8());
    const QString saved = make()->current().places;
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    auto placer = make();
    EXPECT_EQ(placer->current().picture, own);
    ASSERT_TRUE(placer->apply(picture, true).ok);
    write(QStringLiteral("hyprpaper/active"),
          (active().first() + QStringLiteral("\nHDMI-A-1,/srv/later.png\n")).toUtf8());

    const auto ours = [&](const QString& s) { return desktop::originalOfShownCopy(s) == picture; };
    auto r = make()->restorePlaces({saved, ours, false, {}, {}});
    ASSERT_TRUE(r.applied.ok) << r.applied.error.toStdString();
    EXPECT_EQ(r.restored, 1);
    EXPECT_EQ(r.leftAlone, QStringList{QStringLiteral("hyprpaper HDMI-A-1 (/srv/later.png)")});
    EXPECT_EQ(active(), (QStringList{QStringLiteral("DP-1,contain:") + own,
                                     QStringLiteral("HDMI-A-1,/srv/later.png")}));
    EXPECT_TRUE(
        hyprpaperCalls().contains(QStringList{QStringLiteral("unload"), shownCopy(picture, 1)}));

    r = make()->restorePlaces({saved, ours, true, {}, {}});
    EXPECT_EQ(r.restored, 1);
    EXPECT_EQ(active().last(), QStringLiteral("HDMI-A-1,") + other);
}

TEST_F(HyprlandTest, RefusalsAreReportedWithHyprpapersWords) {
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    tools.add(QStringLiteral("hyprctl"),
              kMonitors + QStringLiteral("[ \"$2\" = wallpaper ] || { echo 'error: Unknown "
                                         "hyprpaper request'; exit 1; }\n"
                                         "echo 'error: failed to set wallpaper: Invalid monitor'; "
                                         "exit 1\n"));
    desktop::ApplyResult result = make()->apply(picture, false);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.indexOf(QStringLiteral("Invalid monitor")), -1)
        << result.error.toStdString();

    tools.add(QStringLiteral("hyprctl"),
              QStringLiteral("echo \"Couldn't connect to hyprpaper's socket\"\n"));
    result = make()->apply(picture, false);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.indexOf(QStringLiteral("Couldn't connect")), -1)
        << result.error.toStdString();
}

}  // namespace
