// KDE for real, run by scripts/test-desktops.sh kde (not by ctest: Debian's
// plasma-workspace is about 400 packages): plasmashell on a virtual X server
// and a private session bus, with software rendering. Two desktops: the
// current activity's and a second activity's, each with its own picture.

#include <gtest/gtest.h>
#include <signal.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <QUrl>

#include "DesktopSessions.h"
#include "system/desktop/KdeBackend.h"

using namespace desktoptest;

namespace {

class KdeRealPlasmaTest : public ::testing::Test {
protected:
    void SetUp() override {
        const QString missing =
            missingTool({QStringLiteral("plasmashell"), QStringLiteral("dbus-daemon")});
        ASSERT_TRUE(missing.isEmpty())
            << missing.toStdString()
            << " is not installed (scripts/test-desktops.sh kde installs it)";
        ASSERT_TRUE(display.running()) << display.error().toStdString();
        home.env().set(QStringLiteral("DISPLAY"), display.display());
        bus = std::make_unique<PrivateBus>(home);  // starts kactivitymanagerd on demand
        ASSERT_TRUE(bus->running()) << bus->error().toStdString();
        QProcessEnvironment env = home.env().processEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("QT_QUICK_BACKEND"), QStringLiteral("software"));
        env.insert(QStringLiteral("LIBGL_ALWAYS_SOFTWARE"), QStringLiteral("1"));
        env.insert(QStringLiteral("KDE_FULL_SESSION"), QStringLiteral("true"));
        env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("KDE"));
        plasma.setProcessEnvironment(env);
        plasma.setStandardOutputFile(home.path() + QStringLiteral("/plasma.log"));
        plasma.setStandardErrorFile(home.path() + QStringLiteral("/plasma.log"));
        plasma.start(home.env().findExecutable(QStringLiteral("plasmashell")),
                     {QStringLiteral("--no-respawn")});
        ASSERT_TRUE(plasma.waitForStarted(10000));
        for (int i = 0; i < 600 && script(QStringLiteral("print(desktops().length)")) != "1"; ++i) {
            QThread::msleep(100);
        }
        ASSERT_EQ(script(QStringLiteral("print(desktops().length)")), QStringLiteral("1"))
            << "plasmashell did not come up; see plasma.log";
    }
    void TearDown() override {
        stopProcess(plasma);
        // plasmashell leaves its KIO workers behind; they name this home's
        // runtime folder on their command line.
        for (const QString& pid :
             QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
            if (pid.toInt() > 0 && cmdline.open(QIODevice::ReadOnly) &&
                cmdline.readAll().contains(home.runtimeDir().toUtf8())) {
                kill(pid.toInt(), SIGTERM);
            }
        }
        bus.reset();
    }

    // A script's printed text, as a user would send it.
    QString script(const QString& text) {
        QDBusConnection c = QDBusConnection::connectToBus(bus->address(), QStringLiteral("probe"));
        QDBusMessage m = QDBusMessage::createMethodCall(
            QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
            QStringLiteral("org.kde.PlasmaShell"), QStringLiteral("evaluateScript"));
        m << text;
        const QDBusMessage reply = c.call(m, QDBus::Block, 5000);
        QDBusConnection::disconnectFromBus(QStringLiteral("probe"));
        return reply.arguments().value(0).toString();
    }
    QString imageOf(int index) {
        return script(QStringLiteral("var d = desktops()[%1];\n"
                                     "d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", "
                                     "\"General\"];\n"
                                     "print(d.readConfig(\"Image\", \"\"));")
                          .arg(index));
    }
    QString picture(const QString& name, const QColor& colour) {
        const QString file = home.path() + QLatin1Char('/') + name;
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(colour);
        image.save(file);
        return file;
    }

    TestHome home;
    VirtualDisplay display;
    std::unique_ptr<PrivateBus> bus;
    QProcess plasma;
};

TEST_F(KdeRealPlasmaTest, PrintedStringsRunTogether) {
    EXPECT_EQ(script(QStringLiteral("print(\"a\"); print(\"b\");")), QStringLiteral("ab"));
}

TEST_F(KdeRealPlasmaTest, OnlyTheDesktopShowingThePlacedPictureChanges) {
    const QString own = picture(QStringLiteral("own.png"), Qt::red);
    const QString other = picture(QStringLiteral("other.png"), Qt::green);
    // The first desktop shows `own`; a second activity's desktop shows `other`.
    script(
        QStringLiteral("var d = desktops()[0];\n"
                       "d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
                       "d.writeConfig(\"Image\", %1);\n"
                       "d.writeConfig(\"FillMode\", 1);\n"
                       "var second = desktopsForActivity(createActivity(\"Second\"))[0];\n"
                       "second.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", "
                       "\"General\"];\n"
                       "second.writeConfig(\"Image\", %2);\n")
            .arg(QStringLiteral("\"") + QUrl::fromLocalFile(own).toString() + QStringLiteral("\""),
                 QStringLiteral("\"") + QUrl::fromLocalFile(other).toString() +
                     QStringLiteral("\"")));
    ASSERT_EQ(script(QStringLiteral("print(desktops().length)")), QStringLiteral("2"));

    desktop::KdeBackend kde({home.env(), 10000, 3000, QStringLiteral("/proc")});
    const std::optional<QString> started = kde.current().picture;
    ASSERT_TRUE(started == own || started == other) << started.value_or(QString()).toStdString();
    const QString keeps = started == own ? other : own;
    const QString calendar = home.writePicture(QStringLiteral("data/tessaryn/Tessavel.bmp"));
    const desktop::ApplyResult result = kde.apply(calendar, false);
    ASSERT_TRUE(result.ok) << result.error.toStdString();
    EXPECT_EQ(kde.current().picture, calendar);
    const QStringList images{imageOf(0), imageOf(1)};
    EXPECT_TRUE(images.contains(QUrl::fromLocalFile(keeps).toString()))
        << images.join(' ').toStdString();
    EXPECT_TRUE(images.join(' ').contains(QStringLiteral(".Tessavel.bmp.shown-1.bmp")))
        << images.join(' ').toStdString();
}

}  // namespace
