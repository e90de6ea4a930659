// Failures of the desktops' tools, against stand-in programs that record their
// arguments, and what needs no running desktop.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "DesktopSessions.h"
#include "system/desktop/DesktopFactory.h"

using namespace desktoptest;

namespace {

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

    TestHome home;
    StandIns tools{home};
};

TEST_F(StandInTest, LxqtReadsQtEscapes) {
    writeFile(home.configHome() + QStringLiteral("/pcmanfm-qt/lxqt/settings.conf"),
              "[Desktop]\nWallpaper=\"/srv/\\x58c1\\x7d19, \\x30a2.jpg\"\nWallpaperMode=zoom\n");
    auto lxqt = make(QStringLiteral("lxqt"));
    EXPECT_EQ(lxqt->current().picture, QStringLiteral("/srv/壁紙, ア.jpg"));
    EXPECT_EQ(lxqt->current().mode, desktop::PictureMode::Zoom);
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

// swaybg takes an identifier's config before the name's (main.c,
// output_description); the stand-in swaymsg restarts the stand-in swaybg.
TEST_F(StandInTest, SwayReadsAndChangesTheIdentifierConfigSwaybgUses) {
    const QString id = QStringLiteral("Dell Inc. DELL U2415 7MT");
    const QString cmdline = proc() + QStringLiteral("/4242/cmdline");
    const QByteArrayList argv{"swaybg", "-o", "DP-1",      "-i", "/srv/red.png",   "-m",
                              "center", "-o", id.toUtf8(), "-i", "/srv/blue.png",  "-m",
                              "fill",   "-o", "HDMI-A-1",  "-i", "/srv/green.png", "-m",
                              "fill"};
    writeFile(cmdline, argv.join('\0') + '\0');
    tools.add(QStringLiteral("swaymsg"),
              QStringLiteral(
                  "if [ \"$1\" = -t ]; then echo '[{\"name\": \"DP-1\", \"make\": "
                  "\"Dell Inc.\", \"model\": \"DELL U2415\", \"serial\": \"7MT\"},"
                  " {\"name\": \"HDMI-A-1\", \"make\": \"Goldstar\", \"model\": "
                  "\"27GL\", \"serial\": \"\"}]'; exit 0; fi\n"
                  "id=$(printf %s \"$2\" | tr -d '\"'); p=$(printf %s \"$4\" | tr -d '\"')\n"
                  "printf 'swaybg\\0-o\\0%s\\0-i\\0%s\\0-m\\0%s\\0' \"$id\" \"$p\" \"$5\" > ") +
                  cmdline + QStringLiteral("\necho '[ { \"success\": true } ]'\n"));
    auto sway = make(QStringLiteral("sway"));
    EXPECT_EQ(sway->current().picture, QStringLiteral("/srv/blue.png"));  // not DP-1's red
    EXPECT_EQ(sway->current().mode, desktop::PictureMode::Zoom);

    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    const desktop::ApplyResult result = sway->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    // DP-1 through its identifier's config.
    QList<QStringList> told;
    for (const QStringList& call : tools.calls(QStringLiteral("swaymsg"))) {
        if (call.value(0) == QStringLiteral("output")) {
            told << call.mid(0, 2);
        }
    }
    EXPECT_EQ(
        told,
        (QList<QStringList>{{QStringLiteral("output"), QLatin1Char('"') + id + QLatin1Char('"')}}));
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
