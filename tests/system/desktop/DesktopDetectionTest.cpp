// Which backend each session gets, as one table, what each backend needs of
// the session, and the start-up entry point.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "DesktopSessions.h"
#include "system/desktop/DesktopDetection.h"
#include "system/desktop/DesktopFactory.h"

namespace {

struct Row {
    const char* label;
    QList<QPair<QString, QString>> vars;
    QStringList tools;  // on PATH
    QStringList files;  // below HOME
    const char* desktop;
};

void PrintTo(const Row& r, std::ostream* os) {
    *os << r.label;
}

QPair<QString, QString> var(const char* name, const char* value) {
    return {QString::fromLatin1(name), QString::fromLatin1(value)};
}

const QString kFehbg = QStringLiteral(".fehbg");
const QString kNitrogenCfg = QStringLiteral(".config/nitrogen/bg-saved.cfg");

class DetectionTable : public ::testing::TestWithParam<Row> {};

TEST_P(DetectionTable, PicksTheBackend) {
    const Row& row = GetParam();
    QTemporaryDir home;
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("PATH"), home.path() + QStringLiteral("/bin"));
    for (const auto& [name, value] : row.vars) {
        env.insert(name, value);
    }
    QDir(home.path()).mkpath(QStringLiteral("bin"));
    for (const QString& tool : row.tools) {
        QFile f(home.path() + QStringLiteral("/bin/") + tool);
        f.open(QIODevice::WriteOnly);
        f.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    }
    for (const QString& file : row.files) {
        QDir(home.path()).mkpath(QFileInfo(file).path());
        QFile(home.path() + QLatin1Char('/') + file).open(QIODevice::WriteOnly);
    }
    const desktop::Detection d = desktop::detectDesktop(desktop::SessionEnvironment(env));
    EXPECT_EQ(d.name, QString::fromLatin1(row.desktop));
    EXPECT_TRUE(d.warning.isEmpty()) << d.warning.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Sessions, DetectionTable,
    ::testing::Values(
        Row{"chosen_over_session",
            {var("TESSARYN_DESKTOP", " GNOME "), var("XDG_CURRENT_DESKTOP", "KDE")},
            {},
            {},
            "gnome"},
        Row{"chosen_none",
            {var("TESSARYN_DESKTOP", "none"), var("XDG_CURRENT_DESKTOP", "GNOME")},
            {},
            {},
            "none"},
        Row{"chosen_empty_is_unset",
            {var("TESSARYN_DESKTOP", ""), var("XDG_CURRENT_DESKTOP", "XFCE")},
            {},
            {},
            "xfce"},
        Row{"chosen_xwallpaper", {var("TESSARYN_DESKTOP", "xwallpaper")}, {}, {}, "xwallpaper"},
        Row{"xdg_gnome", {var("XDG_CURRENT_DESKTOP", "GNOME")}, {}, {}, "gnome"},
        Row{"xdg_second_item", {var("XDG_CURRENT_DESKTOP", "ubuntu:GNOME")}, {}, {}, "gnome"},
        Row{"xdg_first_known_wins",
            {var("XDG_CURRENT_DESKTOP", "Budgie:GNOME:KDE")},
            {},
            {},
            "gnome"},
        Row{"xdg_cinnamon", {var("XDG_CURRENT_DESKTOP", "X-Cinnamon")}, {}, {}, "cinnamon"},
        Row{"xdg_mate", {var("XDG_CURRENT_DESKTOP", "MATE")}, {}, {}, "mate"},
        Row{"xdg_xfce", {var("XDG_CURRENT_DESKTOP", "XFCE")}, {}, {}, "xfce"},
        Row{"xdg_kde", {var("XDG_CURRENT_DESKTOP", "KDE")}, {}, {}, "kde"},
        Row{"xdg_lxqt", {var("XDG_CURRENT_DESKTOP", "LXQt")}, {}, {}, "lxqt"},
        Row{"xdg_lxde", {var("XDG_CURRENT_DESKTOP", "LXDE")}, {}, {}, "lxde"},
        Row{"xdg_sway", {var("XDG_CURRENT_DESKTOP", "sway")}, {}, {}, "sway"},
        Row{"xdg_hyprland", {var("XDG_CURRENT_DESKTOP", "Hyprland")}, {}, {}, "hyprland"},
        Row{"xdg_over_session",
            {var("XDG_CURRENT_DESKTOP", "MATE"), var("DESKTOP_SESSION", "xfce")},
            {},
            {},
            "mate"},
        Row{"xdg_unknown_then_session",
            {var("XDG_CURRENT_DESKTOP", "i3"), var("DESKTOP_SESSION", "xfce")},
            {},
            {},
            "xfce"},
        Row{"session_path", {var("DESKTOP_SESSION", "/usr/share/xsessions/plasma")}, {}, {}, "kde"},
        Row{"session_gnome_xorg", {var("DESKTOP_SESSION", "gnome-xorg")}, {}, {}, "gnome"},
        Row{"session_lxde", {var("DESKTOP_SESSION", "LXDE")}, {}, {}, "lxde"},
        Row{"session_over_kde_flag",
            {var("DESKTOP_SESSION", "cinnamon"), var("KDE_FULL_SESSION", "true")},
            {},
            {},
            "cinnamon"},
        Row{"kde_full_session",
            {var("KDE_FULL_SESSION", "true"), var("SWAYSOCK", "/run/s.sock")},
            {},
            {},
            "kde"},
        Row{"kde_full_session_false", {var("KDE_FULL_SESSION", "false")}, {}, {}, "none"},
        Row{"swaysock",
            {var("SWAYSOCK", "/run/user/1000/sway-ipc.sock"),
             var("HYPRLAND_INSTANCE_SIGNATURE", "x")},
            {},
            {},
            "sway"},
        Row{"hyprland_signature",
            {var("HYPRLAND_INSTANCE_SIGNATURE", "abc_123")},
            {},
            {},
            "hyprland"},
        Row{"i3sock_on_wayland_is_sway",
            {var("I3SOCK", "/run/i3.sock"), var("WAYLAND_DISPLAY", "wayland-1")},
            {},
            {},
            "sway"},
        Row{"i3_on_x11_uses_feh",
            {var("I3SOCK", "/run/i3.sock"), var("DISPLAY", ":0")},
            {QStringLiteral("feh")},
            {},
            "feh"},
        Row{"bare_x11_feh_first",
            {var("DISPLAY", ":0")},
            {QStringLiteral("feh"), QStringLiteral("nitrogen")},
            {},
            "feh"},
        Row{"bare_x11_nitrogen_in_use",
            {var("DISPLAY", ":0")},
            {QStringLiteral("feh"), QStringLiteral("nitrogen")},
            {kNitrogenCfg},
            "nitrogen"},
        Row{"bare_x11_feh_in_use",
            {var("DISPLAY", ":0")},
            {QStringLiteral("feh"), QStringLiteral("nitrogen")},
            {kFehbg, kNitrogenCfg},
            "feh"},
        Row{"bare_x11_fehbg_without_feh",
            {var("DISPLAY", ":0")},
            {QStringLiteral("nitrogen")},
            {kFehbg},
            "nitrogen"},
        Row{"bare_x11_xwallpaper",
            {var("DISPLAY", ":0")},
            {QStringLiteral("xwallpaper")},
            {},
            "xwallpaper"},
        Row{"bare_x11_no_tool", {var("DISPLAY", ":0")}, {}, {}, "none"},
        Row{"xwayland_is_no_bare_x11",
            {var("DISPLAY", ":0"), var("WAYLAND_DISPLAY", "wayland-0")},
            {QStringLiteral("feh")},
            {},
            "none"},
        Row{"nothing", {}, {QStringLiteral("feh")}, {}, "none"}),
    [](const ::testing::TestParamInfo<Row>& p) { return std::string(p.param.label); });

TEST(Detection, AnUnknownChoiceFallsBackToNoneWithAMessageNamingIt) {
    QProcessEnvironment env;
    env.insert(QStringLiteral("TESSARYN_DESKTOP"), QStringLiteral("windows95"));
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
    const desktop::Detection d = desktop::detectDesktop(desktop::SessionEnvironment(env));
    EXPECT_EQ(d.name, QStringLiteral("none"));
    EXPECT_NE(d.warning.indexOf(QStringLiteral("\"windows95\"")), -1) << d.warning.toStdString();
    EXPECT_NE(d.warning.indexOf(QStringLiteral("nitrogen")), -1) << d.warning.toStdString();
}

TEST(Factory, EveryKnownNameBuildsItsBackendAndOthersNone) {
    for (const QString& name : desktop::knownDesktops()) {
        const auto backend = desktop::createDesktopBackend(name);
        ASSERT_NE(backend, nullptr) << name.toStdString();
        EXPECT_EQ(backend->name(), name);
    }
    EXPECT_EQ(desktop::createDesktopBackend(QStringLiteral("KDE"))->name(), QStringLiteral("kde"));
    EXPECT_EQ(desktop::createDesktopBackend(QStringLiteral("amiga")), nullptr);
}

// The process environment, changed for one test and put back after.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value)
        : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_) {
            qputenv(name_, old_);
        } else {
            qunsetenv(name_);
        }
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(Startup, BuildsTheChosenBackendAndReportsAnUnknownOne) {
    {
        const ScopedEnv chosen("TESSARYN_DESKTOP", "xfce");
        EXPECT_EQ(desktop::desktopFromEnvironment()->name(), QStringLiteral("xfce"));
    }
    const ScopedEnv chosen("TESSARYN_DESKTOP", "bogus");
    testing::internal::CaptureStderr();
    EXPECT_EQ(desktop::desktopFromEnvironment()->name(), QStringLiteral("none"));
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("TESSARYN_DESKTOP=\"bogus\""), std::string::npos) << said;
}

// What a refresh from a timer or at login finds missing, per desktop: the
// variable it names, and that setting it is enough.
TEST(SessionNeeds, EachBackendNamesWhatTheSessionLacks) {
    const QList<std::pair<QStringList, QString>> table{
        {{"feh", "nitrogen", "xwallpaper"}, "DISPLAY"},
        {{"gnome", "cinnamon", "mate", "xfce", "kde"}, "DBUS_SESSION_BUS_ADDRESS"},
        {{"lxde", "lxqt"}, "WAYLAND_DISPLAY"},
        {{"sway"}, "SWAYSOCK"},
        {{"hyprland"}, "HYPRLAND_INSTANCE_SIGNATURE"},
    };
    QTemporaryDir home;
    for (const auto& [names, variable] : table) {
        for (const QString& name : names) {
            desktop::DesktopContext context{desktop::SessionEnvironment({}), 1000, 1000};
            context.env.set(QStringLiteral("HOME"), home.path());
            const QString missing =
                desktop::createDesktopBackend(name, context)->missingFromSession();
            EXPECT_NE(missing.indexOf(variable), -1)
                << name.toStdString() << ": " << missing.toStdString();
            context.env.set(variable, QStringLiteral("unix:path=/run/x"));
            EXPECT_EQ(desktop::createDesktopBackend(name, context)->missingFromSession(), QString())
                << name.toStdString();
        }
    }
    EXPECT_EQ(desktop::createDesktopBackend(QStringLiteral("none"))->missingFromSession(),
              QString());
}

}  // namespace
