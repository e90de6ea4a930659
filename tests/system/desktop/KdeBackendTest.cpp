// KDE against a stand-in plasmashell on a private session bus: it runs the
// scripting calls the way plasmashell's desktops would (the writes of
// writeConfig, the lines of print), so the scripts are checked by what they do.

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMutex>
#include <QRegularExpression>
#include <QThread>
#include <QUrl>

#include "DesktopSessions.h"
#include "system/desktop/KdeBackend.h"

using namespace desktoptest;

namespace {

// A JavaScript string literal, unescaped (what plasmashell's script engine does).
QString jsLiteral(const QString& literal) {
    return QJsonDocument::fromJson(QStringLiteral("[%1]").arg(literal).toUtf8())
        .array()
        .at(0)
        .toString();
}

class FakePlasmaShell : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")
public:
    struct Desktop {
        int screen;
        QString plugin;
        QString image;
        QString fillMode;
    };
    QList<Desktop> desktops{
        {0, QStringLiteral("org.kde.image"), QStringLiteral("file:///srv/old.jpg"), {}},
        {1, QStringLiteral("org.kde.slideshow"), {}, {}}};
    bool locked = false;
    bool ignoresWrites = false;
    QStringList scripts;
    mutable QMutex mutex;

public slots:
    QString evaluateScript(const QString& script) {
        const QMutexLocker lock(&mutex);
        scripts << script;
        if (locked) {
            sendErrorReply(QStringLiteral("org.kde.plasmashell.Error"),
                           QStringLiteral("Widgets are locked"));
            return {};
        }
        static const QRegularExpression image(
            QStringLiteral("writeConfig\\(\"Image\", (\".*\")\\);"));
        static const QRegularExpression fill(
            QStringLiteral("writeConfig\\(\"FillMode\", (\\d+)\\);"));
        const QRegularExpressionMatch i = image.match(script);
        const QRegularExpressionMatch f = fill.match(script);
        if (i.hasMatch() && !ignoresWrites) {
            for (Desktop& d : desktops) {
                if (script.contains(QStringLiteral("d.wallpaperPlugin = \"org.kde.image\""))) {
                    d.plugin = QStringLiteral("org.kde.image");
                }
                d.image = jsLiteral(i.captured(1));
                d.fillMode = f.captured(1);
            }
        }
        QString out;
        if (script.contains(QStringLiteral("print("))) {
            for (const Desktop& d : desktops) {
                out += QStringLiteral("%1\t%2\t%3\t%4\n")
                           .arg(d.screen)
                           .arg(d.plugin, d.image, d.fillMode);
            }
        }
        return out;
    }
};

class KdeBackendTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!missingTool({QStringLiteral("dbus-daemon")}).isEmpty()) {
            GTEST_SKIP() << "dbus-daemon is not installed";
        }
        bus = std::make_unique<PrivateBus>(home, PrivateBus::Services::None);
        ASSERT_TRUE(bus->running()) << bus->error().toStdString();
    }
    void TearDown() override {
        if (thread.isRunning()) {
            QDBusConnection::disconnectFromBus(QStringLiteral("fake-plasmashell"));
            thread.quit();
            thread.wait();
        }
        delete shell;
    }

    // plasmashell on the bus, answering from a thread of its own so that the
    // backend's blocking calls from this thread get through.
    void startPlasma() {
        shell = new FakePlasmaShell;
        shell->moveToThread(&thread);
        thread.start();
        QDBusConnection c =
            QDBusConnection::connectToBus(bus->address(), QStringLiteral("fake-plasmashell"));
        ASSERT_TRUE(c.registerService(QStringLiteral("org.kde.plasmashell")));
        ASSERT_TRUE(c.registerObject(QStringLiteral("/PlasmaShell"), shell,
                                     QDBusConnection::ExportAllSlots));
    }
    desktop::KdeBackend backend() {
        return desktop::KdeBackend({home.env(), 3000, 300, QStringLiteral("/proc")});
    }
    QString copy(const QString& picture, int n) const {
        return home.path() + QStringLiteral("/.") + QFileInfo(picture).fileName() +
               QStringLiteral(".shown-%1.bmp").arg(n);
    }

    TestHome home;
    std::unique_ptr<PrivateBus> bus;
    QThread thread;
    FakePlasmaShell* shell = nullptr;
};

TEST_F(KdeBackendTest, EveryDesktopGetsAnAlternatingCopyAndTheFillModeMapsBothWays) {
    startPlasma();
    const QString picture = home.writePicture(QStringLiteral("Tessavel \"quoted\" 壁紙.bmp"));
    desktop::KdeBackend kde = backend();
    EXPECT_EQ(kde.liveWallpaper(), QStringLiteral("/srv/old.jpg"));

    struct Step {
        bool tiled;
        int copy;
        const char* fillMode;
    };
    // tiled: 3; untiled after tiled: centred (6); untiled again keeps 6
    for (const Step step : {Step{true, 1, "3"}, Step{false, 2, "6"}, Step{false, 1, "6"}}) {
        const desktop::ApplyResult result = kde.apply(picture, step.tiled);
        ASSERT_TRUE(result.ok) << result.error.toStdString();
        const QMutexLocker lock(&shell->mutex);
        for (const FakePlasmaShell::Desktop& d : shell->desktops) {
            EXPECT_EQ(d.plugin, QStringLiteral("org.kde.image"));
            EXPECT_EQ(d.image,
                      QUrl::fromLocalFile(copy(picture, step.copy)).toString(QUrl::FullyEncoded));
            EXPECT_EQ(d.fillMode, QString::fromLatin1(step.fillMode));
        }
    }
    EXPECT_EQ(kde.liveWallpaper(), picture);
    EXPECT_EQ(kde.liveTiled(), false);
    QFile original(picture), shown(copy(picture, 1));
    ASSERT_TRUE(original.open(QIODevice::ReadOnly) && shown.open(QIODevice::ReadOnly));
    EXPECT_EQ(shown.readAll(), original.readAll());
}

TEST_F(KdeBackendTest, TheUsersFillModeStaysWhenUntiled) {
    startPlasma();
    shell->desktops[0].fillMode = QStringLiteral("1");  // fit
    ASSERT_TRUE(backend().apply(home.writePicture(QStringLiteral("Tessavel.bmp")), false).ok);
    const QMutexLocker lock(&shell->mutex);
    EXPECT_EQ(shell->desktops[1].fillMode, QStringLiteral("1"));
}

TEST_F(KdeBackendTest, ALockedOrDeafOrAbsentPlasmaShellIsAFailure) {
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    desktop::ApplyResult result = backend().apply(picture, false);  // nobody owns the name
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.startsWith(QStringLiteral("plasmashell cannot be asked")))
        << result.error.toStdString();

    startPlasma();
    shell->locked = true;
    result = backend().apply(picture, false);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.indexOf(QStringLiteral("Widgets are locked")), -1)
        << result.error.toStdString();

    shell->locked = false;
    shell->ignoresWrites = true;
    result = backend().apply(picture, false);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.indexOf(QStringLiteral("/srv/old.jpg")), -1)
        << result.error.toStdString();
}

TEST_F(KdeBackendTest, WithoutPlasmaShellTheAppletsrcFileIsRead) {
    const QString picture = home.writePicture(QStringLiteral("Tessavel.bmp"));
    QFile rc(home.configHome() + QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc"));
    ASSERT_TRUE(rc.open(QIODevice::WriteOnly));
    rc.write(QStringLiteral("[Containments][12][Wallpaper][org.kde.image][General]\n"
                            "Image=file:///srv/second.png\n\n"
                            "[Containments][3][Wallpaper][org.kde.image][General]\n"
                            "FillMode=4\nImage=file://%1\n")
                 .arg(copy(picture, 2))
                 .toUtf8());
    rc.close();
    desktop::KdeBackend kde = backend();
    EXPECT_EQ(kde.liveWallpaper(),
              picture);                // containment 3 comes first, its copy stands for the picture
    EXPECT_EQ(kde.liveTiled(), true);  // tiled vertically
}

}  // namespace

#include "KdeBackendTest.moc"
