// Xfce against the real xfconfd on a private session bus, checked with
// xfconf-query as xfdesktop would see it.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>

#include "DesktopSessions.h"
#include "system/desktop/XfceBackend.h"

using namespace desktoptest;

namespace {

const QString kChannel = QStringLiteral("xfce4-desktop");

// Every value xfconfd announces for the properties it changes.
class ChangeLog : public QObject {
    Q_OBJECT
public:
    QList<QPair<QString, QString>> changes;
public slots:
    void changed(const QString& channel, const QString& property, const QDBusVariant& value) {
        if (channel == kChannel) {
            changes.append({property, value.variant().toString()});
        }
    }
};

class XfceBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString missing =
            missingTool({QStringLiteral("xfconf-query"), QStringLiteral("dbus-daemon")});
        ASSERT_TRUE(missing.isEmpty()) << missing.toStdString() << " is not installed";
        bus = std::make_unique<PrivateBus>(home);
        ASSERT_TRUE(bus->running()) << bus->error().toStdString();
        // RandR's outputs as $HOME/outputs lists them (else the real server's),
        // the current workspace as $HOME/workspace says.
        tools.add(QStringLiteral("xrandr"),
                  QStringLiteral("[ -f \"$HOME/outputs\" ] || exec /usr/bin/xrandr \"$@\"\n"
                                 "echo Monitors: 2; n=0\n"
                                 "for o in $(cat \"$HOME/outputs\"); do\n"
                                 "  echo \" $n: +$o 1920/508x1080/286+0+0  $o\"; n=$((n+1))\n"
                                 "done\n"));
        tools.add(
            QStringLiteral("xprop"),
            QStringLiteral("echo \"_NET_CURRENT_DESKTOP(CARDINAL) = $(cat \"$HOME/workspace\" "
                           "2>/dev/null || echo 0)\"\n"));
        setFile(QStringLiteral("outputs"), "HDMI-2 Virtual-1");
        home.env().set(QStringLiteral("DISPLAY"), QStringLiteral(":stand-in"));
        backend = std::make_unique<desktop::XfceBackend>(
            desktop::DesktopContext{home.env(), 10000, 3000, QStringLiteral("/proc")});
    }

    void setFile(const QString& name, const QByteArray& text) {
        QFile f(home.path() + QLatin1Char('/') + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QString query(const QString& property) {
        return runIn(home.env(), QStringLiteral("xfconf-query"),
                     {QStringLiteral("-c"), kChannel, QStringLiteral("-p"), property});
    }
    void create(const QString& property, const QString& type, const QString& value) {
        int status = -1;
        runIn(home.env(), QStringLiteral("xfconf-query"),
              {QStringLiteral("-c"), kChannel, QStringLiteral("-p"), property, QStringLiteral("-n"),
               QStringLiteral("-t"), type, QStringLiteral("-s"), value},
              &status);
        ASSERT_EQ(status, 0) << property.toStdString();
    }
    // Two monitors with two workspaces each, as xfdesktop leaves them.
    QStringList makeMonitors(const QString& style) {
        QStringList prefixes;
        for (const QString& monitor :
             {QStringLiteral("monitorVirtual-1"), QStringLiteral("monitorHDMI-2")}) {
            for (const QString& workspace :
                 {QStringLiteral("workspace0"), QStringLiteral("workspace1")}) {
                const QString prefix =
                    QStringLiteral("/backdrop/screen0/%1/%2").arg(monitor, workspace);
                create(prefix + QStringLiteral("/last-image"), QStringLiteral("string"),
                       QStringLiteral("/old.png"));
                create(prefix + QStringLiteral("/image-style"), QStringLiteral("int"), style);
                prefixes << prefix;
            }
        }
        return prefixes;
    }

    TestHome home;
    StandIns tools{home};
    std::unique_ptr<PrivateBus> bus;
    std::unique_ptr<desktop::XfceBackend> backend;
};

TEST_F(XfceBackendTest, EveryMonitorAndWorkspaceGetsThePictureAndTheStyleMapsBothWays) {
    const QStringList prefixes = makeMonitors(QStringLiteral("5"));  // zoomed
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));

    struct Step {
        bool tiled;
        const char* style;
    };
    // untiled keeps zoomed; tiled is 2; untiled after tiled is centred (1)
    for (const Step step : {Step{false, "5"}, Step{true, "2"}, Step{false, "1"}}) {
        const desktop::ApplyResult result = backend->apply(picture, step.tiled);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        for (const QString& prefix : prefixes) {
            EXPECT_EQ(query(prefix + QStringLiteral("/last-image")), picture)
                << prefix.toStdString();
            EXPECT_EQ(query(prefix + QStringLiteral("/image-style")),
                      QString::fromLatin1(step.style));
        }
        EXPECT_EQ(backend->current().tiled, step.tiled);
        EXPECT_EQ(backend->current().picture, picture);
    }
}

TEST_F(XfceBackendTest, OnlyTheMonitorShowingThePlacedPictureChanges) {
    const QStringList prefixes = makeMonitors(QStringLiteral("5"));
    // Virtual-1 (both workspaces) shows a picture of its own.
    for (const QString& prefix : prefixes.mid(0, 2)) {
        create(prefix + QStringLiteral("/last-image"), QStringLiteral("string"),
               QStringLiteral("/srv/own.jpg"));
        create(prefix + QStringLiteral("/image-style"), QStringLiteral("int"), QStringLiteral("3"));
    }
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    // The placement starts from what the first monitor (HDMI-2) shows.
    EXPECT_EQ(backend->current().picture, QStringLiteral("/old.png"));
    desktop::ApplyResult result = backend->apply(picture, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    for (const QString& prefix : prefixes.mid(0, 2)) {
        EXPECT_EQ(query(prefix + QStringLiteral("/last-image")), QStringLiteral("/srv/own.jpg"));
        EXPECT_EQ(query(prefix + QStringLiteral("/image-style")), QStringLiteral("3"));
    }
    for (const QString& prefix : prefixes.mid(2)) {
        EXPECT_EQ(query(prefix + QStringLiteral("/last-image")), picture);
        EXPECT_EQ(query(prefix + QStringLiteral("/image-style")), QStringLiteral("5"));
    }

    // The next placement starts from the calendar picture and replaces it again,
    // tiled; the other monitor still keeps its own.
    EXPECT_EQ(backend->current().picture, picture);
    result = backend->apply(picture, true);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(query(prefixes.at(0) + QStringLiteral("/last-image")),
              QStringLiteral("/srv/own.jpg"));
    EXPECT_EQ(query(prefixes.at(3) + QStringLiteral("/image-style")), QStringLiteral("2"));
}

// Restore gives each monitor and workspace its own picture and style back;
// one showing a picture chosen after the finish is left alone and named,
// unless forced.
TEST_F(XfceBackendTest, RestoreGivesEachPlaceItsOwn) {
    const QStringList prefixes = makeMonitors(QStringLiteral("5"));
    create(prefixes.at(3) + QStringLiteral("/image-style"), QStringLiteral("int"),
           QStringLiteral("3"));
    create(prefixes.at(0) + QStringLiteral("/last-image"), QStringLiteral("string"),
           QStringLiteral("/srv/own.jpg"));
    const QString saved = backend->current().places;
    EXPECT_EQ(backend->current().picture, QStringLiteral("/old.png"));
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    ASSERT_TRUE(backend->apply(picture, true).ok);
    create(prefixes.at(2) + QStringLiteral("/last-image"), QStringLiteral("string"),
           QStringLiteral("/later.png"));
    const auto ours = [&picture](const QString& shown) { return shown == picture; };
    auto r = backend->restorePlaces({saved, ours, false, {}, {}});
    ASSERT_TRUE(r.applied.ok) << r.applied.error.toStdString();
    EXPECT_EQ(r.restored, 2);
    ASSERT_EQ(r.leftAlone.size(), 1);
    EXPECT_TRUE(r.leftAlone[0].contains(QStringLiteral("/later.png")));
    EXPECT_EQ(query(prefixes.at(0) + QStringLiteral("/last-image")),
              QStringLiteral("/srv/own.jpg"));
    EXPECT_EQ(query(prefixes.at(1) + QStringLiteral("/last-image")), QStringLiteral("/old.png"));
    EXPECT_EQ(query(prefixes.at(1) + QStringLiteral("/image-style")), QStringLiteral("5"));
    EXPECT_EQ(query(prefixes.at(3) + QStringLiteral("/last-image")), QStringLiteral("/old.png"));
    EXPECT_EQ(query(prefixes.at(3) + QStringLiteral("/image-style")), QStringLiteral("3"));
    EXPECT_EQ(query(prefixes.at(2) + QStringLiteral("/last-image")), QStringLiteral("/later.png"));
    r = backend->restorePlaces({saved, ours, true, {}, {}});
    EXPECT_EQ(r.restored, 1);
    EXPECT_EQ(query(prefixes.at(2) + QStringLiteral("/last-image")), QStringLiteral("/old.png"));
}

TEST_F(XfceBackendTest, ThePictureIsClearedBeforeItIsSetSoXfdesktopReloadsIt) {
    const QStringList prefixes = makeMonitors(QStringLiteral("1"));
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    ASSERT_TRUE(backend->apply(picture, false).ok);  // now the same path again

    QDBusConnection watcher =
        QDBusConnection::connectToBus(bus->address(), QStringLiteral("xfce-watcher"));
    ChangeLog log;
    ASSERT_TRUE(
        watcher.connect(QStringLiteral("org.xfce.Xfconf"), QStringLiteral("/org/xfce/Xfconf"),
                        QStringLiteral("org.xfce.Xfconf"), QStringLiteral("PropertyChanged"), &log,
                        SLOT(changed(QString, QString, QDBusVariant))));
    ASSERT_TRUE(backend->apply(picture, false).ok);
    const QString key = prefixes.first() + QStringLiteral("/last-image");
    QList<QPair<QString, QString>> expected{{key, QString()}, {key, picture}};
    QList<QPair<QString, QString>> seen;
    for (QDeadlineTimer deadline(5000); !deadline.hasExpired() && seen != expected;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        seen.clear();
        for (const auto& change : log.changes) {
            if (change.first == key) {
                seen.append(change);
            }
        }
    }
    EXPECT_EQ(seen, expected);
    QDBusConnection::disconnectFromBus(QStringLiteral("xfce-watcher"));
}

TEST_F(XfceBackendTest, AnAwkwardPathSurvivesAndUrisFromOthersAreRead) {
    makeMonitors(QStringLiteral("3"));
    const QString picture = home.writePicture(kAwkwardPicture);
    ASSERT_TRUE(backend->apply(picture, false).ok);
    EXPECT_EQ(query(QStringLiteral("/backdrop/screen0/monitorHDMI-2/workspace1/last-image")),
              picture);
    EXPECT_EQ(backend->current().picture, picture);

    create(QStringLiteral("/backdrop/screen0/monitorHDMI-2/workspace0/last-image"),
           QStringLiteral("string"), QStringLiteral("file:///srv/pictures/m%C3%BCde%20Katze.png"));
    EXPECT_EQ(backend->current().picture, QStringLiteral("/srv/pictures/müde Katze.png"));
}

TEST_F(XfceBackendTest, KeysAreThoseOfRandrsOutputsAndTheWorkspaceShown) {
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    // Debian's xfconfd falls back to desktop-base's channel defaults, keyed
    // monitor0, which xfdesktop 4.18 and later do not read: nothing is shown.
    create(QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image"),
           QStringLiteral("string"), QStringLiteral("/usr/share/stale.png"));
    EXPECT_EQ(backend->current().picture, QString());
    ASSERT_TRUE(backend->apply(picture, true).ok);
    EXPECT_EQ(query(QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image")),
              QStringLiteral("/usr/share/stale.png"));
    for (const char* output : {"HDMI-2", "Virtual-1"}) {
        const QString prefix =
            QStringLiteral("/backdrop/screen0/monitor%1/workspace0/").arg(output);
        EXPECT_EQ(query(prefix + QStringLiteral("last-image")), picture) << output;
        EXPECT_EQ(query(prefix + QStringLiteral("image-style")), QStringLiteral("2"));
    }

    // On workspace 2 only that workspace's keys are the places shown.
    setFile(QStringLiteral("workspace"), "2");
    EXPECT_EQ(backend->current().picture, QString());
    ASSERT_TRUE(backend->apply(picture, false).ok);
    EXPECT_EQ(query(QStringLiteral("/backdrop/screen0/monitorHDMI-2/workspace2/image-style")),
              QStringLiteral("5"));  // unset reads as zoomed and stays so

    // Single-workspace mode shows the workspace it names on every workspace.
    create(QStringLiteral("/backdrop/single-workspace-mode"), QStringLiteral("bool"),
           QStringLiteral("true"));
    create(QStringLiteral("/backdrop/single-workspace-number"), QStringLiteral("int"),
           QStringLiteral("3"));
    create(QStringLiteral("/backdrop/screen0/monitorHDMI-2/workspace3/last-image"),
           QStringLiteral("string"), QStringLiteral("/srv/single.png"));
    EXPECT_EQ(backend->current().picture, QStringLiteral("/srv/single.png"));
    ASSERT_TRUE(backend->apply(picture, false).ok);
    EXPECT_EQ(query(QStringLiteral("/backdrop/screen0/monitorHDMI-2/workspace3/last-image")),
              picture);

    // Without a display the monitors are unknown: nothing is written.
    home.env().unset(QStringLiteral("DISPLAY"));
    const desktop::ApplyResult blind =
        desktop::XfceBackend({home.env(), 10000, 3000, QStringLiteral("/proc")})
            .apply(home.writePicture(QStringLiteral("other.bmp")), false);
    EXPECT_FALSE(blind.ok);
    EXPECT_NE(blind.error.indexOf(QStringLiteral("DISPLAY")), -1) << blind.error.toStdString();
    EXPECT_EQ(query(QStringLiteral("/backdrop/screen0/monitorHDMI-2/workspace3/last-image")),
              picture);
}

TEST_F(XfceBackendTest, UnderXvfbTheOutputIsScreen) {
    VirtualDisplay display;
    ASSERT_TRUE(display.running()) << display.error().toStdString();
    QFile::remove(home.path() + QStringLiteral("/outputs"));
    home.env().set(QStringLiteral("DISPLAY"), display.display());
    desktop::XfceBackend xfce({home.env(), 10000, 3000, QStringLiteral("/proc")});
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    ASSERT_TRUE(xfce.apply(picture, false).ok);
    EXPECT_EQ(query(QStringLiteral("/backdrop/screen0/monitorscreen/workspace0/last-image")),
              picture);
}

TEST_F(XfceBackendTest, NoBusOrNoXfconfdIsAFailure) {
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    desktop::SessionEnvironment noBus = home.env();
    noBus.unset(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    noBus.set(QStringLiteral("XDG_RUNTIME_DIR"), home.path() + QStringLiteral("/data"));
    desktop::XfceBackend lonely({noBus, 2000, 200, QStringLiteral("/proc")});
    desktop::ApplyResult result = lonely.apply(picture, false);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.indexOf(QStringLiteral("D-Bus")), -1) << result.error.toStdString();
    EXPECT_EQ(lonely.current().picture, std::nullopt);  // the hive's value holds

    // A bus without xfconfd.
    TestHome bare;
    PrivateBus emptyBus(bare, PrivateBus::Services::None);
    ASSERT_TRUE(emptyBus.running());
    desktop::XfceBackend unserved({bare.env(), 2000, 200, QStringLiteral("/proc")});
    result = unserved.apply(picture, false);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.indexOf(QStringLiteral("xfconfd")), -1) << result.error.toStdString();
}

}  // namespace

#include "XfceBackendTest.moc"
