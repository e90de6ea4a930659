// What the program says: paths from files and the hive printed with their
// control characters escaped, LXDE's raw settings and paths that would break
// a line-based file, Qt's runtime-folder warning, and the placement's
// messages for a wallpaper mostly off the screen, a preview too small to hold
// a calendar, and a finish no desktop shows.
#include <QComboBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "mainwindow/WindowHarness.h"
#include "placement/CompositionRecord.h"
#include "placement/PlacementFixture.h"
#include "placement/PlacementStart.h"
#include "placement/PlacementWindow.h"
#include "support/TempHome.h"
#include "system/QtMessageFilter.h"
#include "system/desktop/DesktopFactory.h"
#include "system/desktop/DesktopSessions.h"
#include "system/desktop/LxdeBackend.h"
#include "system/desktop/NoneBackend.h"
#include "system/wallpaper/WallpaperSettings.h"
#include "toolkit/PictureBox.h"
#include "toolkit/picture/PictureFile.h"

namespace {

const QString kTerminalTrap = QStringLiteral("\x1b]0;TITLE\x07\x1b[2J");

struct Run {
    QByteArray out, err;
};
Run run(const QString& program, const QStringList& args, const QStringList& unset = {}) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& name : unset) {
        env.remove(name);
    }
    p.setProcessEnvironment(env);
    p.start(program, args);
    p.waitForFinished(60000);
    return {p.readAllStandardOutput(), p.readAllStandardError()};
}

QStringList recorded;
QtMessageHandler testHandler = nullptr;
void recordMessage(QtMsgType, const QMessageLogContext&, const QString& text) {
    recorded << text;
}

}  // namespace

class MessagesTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        home = std::make_unique<TempHome>();
        messages = std::make_unique<MessageRecorder>();
    }
    void cleanup() {
        if (PlacementWindow* f = loadedPlacementWindow()) {
            f->closeWindow();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        desktop::setActiveDesktop(nullptr);
        messages.reset();
        home.reset();
    }

    void printedPathsAreEscaped() {
        composition::Record rec;
        rec.original = home->root() + QStringLiteral("/own.bmp");
        rec.kept = rec.original;
        rec.output = composition::outputPath();
        rec.desktop = QStringLiteral("none");
        rec.composedFor = composition::monthIndex(2001, 1);
        QVERIFY(composition::writeRecord(rec).isEmpty());
        setDesktopValue(QStringLiteral("Wallpaper"), kTerminalTrap);
        const QString shown = QStringLiteral("\\x1b]0;TITLE\\x07\\x1b[2J");
        const QList<Run> runs{
            run(TESSARYN, {QStringLiteral("refresh")}),
            run(TESSARYN_REG,
                {QStringLiteral("query"), QStringLiteral("HKCU\\Control Panel\\desktop"),
                 QStringLiteral("/v"), QStringLiteral("Wallpaper")}),
            run(TESSARYN,
                {QStringLiteral("compose"), QStringLiteral("--base"), kTerminalTrap,
                 QStringLiteral("--year=2026"), QStringLiteral("--month=1"),
                 QStringLiteral("--at=1,1"), QStringLiteral("--out=/nonexistent/o.bmp")})};
        for (const Run& r : runs) {
            const QByteArray all = r.out + r.err;
            QVERIFY2(!all.contains('\x1b') && !all.contains('\x07'), all.constData());
            QVERIFY2(QString::fromUtf8(all).contains(shown), all.constData());
        }
    }

    void lxdeReadsRawAndRefusesLineBreaks() {
        desktoptest::TestHome session;
        desktoptest::StandIns tools(session);
        // pcmanfm prints what it is told into its settings as it is.
        const QString conf = session.configHome() + QStringLiteral("/pcmanfm/LXDE");
        tools.add(
            QStringLiteral("pcmanfm"),
            QStringLiteral("mkdir -p '%1'; printf '[*]\\nwallpaper=%s\\nwallpaper_mode=%s\\n' "
                           "\"${1#--set-wallpaper=}\" \"${2#--wallpaper-mode=}\" "
                           "> '%1/desktop-items-0.conf'\n")
                .arg(conf));
        for (const char* name : {"pcmanfm-qt", "nitrogen", "feh", "hyprctl", "swaymsg"}) {
            tools.add(QString::fromLatin1(name));
        }
        session.env().set(QStringLiteral("DISPLAY"), QStringLiteral(":99"));
        desktop::DesktopContext context{session.env(), 5000, 2000};
        desktop::LxdeBackend lxde(context);
        const QString slashed = session.writePicture(QStringLiteral("back\\slash.bmp"));
        const desktop::ApplyResult applied = lxde.apply(slashed, false);
        QVERIFY2(applied.ok, qPrintable(applied.error));
        QCOMPARE(lxde.liveWallpaper().value_or(QString()), slashed);

        const QString broken = session.writePicture(QStringLiteral("a\nwallpaper_mode=tile\n.bmp"));
        for (const char* name : {"lxde", "lxqt", "nitrogen", "feh", "hyprland", "sway"}) {
            auto backend = desktop::createDesktopBackend(QString::fromLatin1(name), context);
            const desktop::ApplyResult r = backend->apply(broken, false);
            QVERIFY2(!r.ok && r.error.contains(QStringLiteral("line break")) &&
                         r.error.contains(QStringLiteral("a\\nwallpaper_mode=tile\\n.bmp")),
                     qPrintable(QString::fromLatin1(name) + QStringLiteral(": ") + r.error));
        }
        QCOMPARE(tools.calls(QStringLiteral("pcmanfm")).size(), 1);
        for (const char* tool : {"pcmanfm-qt", "nitrogen", "feh", "hyprctl", "swaymsg"}) {
            QVERIFY2(tools.calls(QString::fromLatin1(tool)).isEmpty(), tool);
        }
    }

    void runtimeDirWarningIsDropped() {
        const Run r = run(TESSARYN, {QStringLiteral("list")}, {QStringLiteral("XDG_RUNTIME_DIR")});
        QVERIFY2(!r.err.contains("XDG_RUNTIME_DIR"), r.err.constData());
        QVERIFY(r.out.startsWith("No calendar"));
        // Every other message still reaches the handler installed before.
        testHandler = qInstallMessageHandler(recordMessage);
        sys::dropRuntimeDirWarning();
        qWarning("QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to '/tmp/runtime-x'");
        qWarning("QStandardPaths: wrong permissions on runtime directory /tmp/runtime-x");
        qInstallMessageHandler(testHandler);
        QCOMPARE(recorded, QStringList{QStringLiteral(
                               "QStandardPaths: wrong permissions on runtime directory "
                               "/tmp/runtime-x")});
    }

    void placementMessages_data() {
        QTest::addColumn<QSize>("wallpaper");
        QTest::addColumn<QPoint>("origin");
        QTest::addColumn<QString>("said");
        // The offscreen screen is 800 x 800; the preview 301 x 145.
        QTest::newRow("mostly off the screen")
            << QSize(800, 600) << QPoint(600, 700)
            << QStringLiteral(
                   "Only 200 x 100 pixels of the wallpaper are on the screen; the calendar "
                   "needs 301 x 145.\nAt its origin (600, 700)");
        QTest::newRow("smaller than the calendar")
            << QSize(300, 480) << QPoint(600, 700)
            << QStringLiteral("壁紙のサイズがカレンダーより小さいようです。\r\n再設定して下さい。");
    }
    void placementMessages() {
        QFETCH(QSize, wallpaper);
        QFETCH(QPoint, origin);
        QFETCH(QString, said);
        seed(wallpaper, origin);
        QVERIFY(!place());
        QCOMPARE(messages->shown.size(), size_t(1));
        QVERIFY2(messages->shown[0].prompt.startsWith(said), qPrintable(messages->shown[0].prompt));
        QCOMPARE(messages->shown[0].title, QStringLiteral("Tessaryn Info."));
    }

    void tinyPreviewPlacesNothing() {
        seed(QSize(800, 600), QPoint());
        auto form = startForm(home->root() + QStringLiteral("/Tessaryn.ini"));
        form->resize(312, 99);
        QTimer::singleShot(3000, [] {  // a placement that opened all the same
            if (PlacementWindow* f = loadedPlacementWindow()) {
                f->closeWindow();
            }
        });
        form->dragButton->click();
        QCOMPARE(messages->shown.size(), size_t(1));
        QVERIFY(messages->shown[0].prompt.contains(QStringLiteral("too small")));
        QVERIFY(loadedPlacementWindow() == nullptr || !loadedPlacementWindow()->isVisible());
    }

    void finishWithoutDesktop_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<bool>("told");
        QTest::newRow("none found") << QString() << true;
        QTest::newRow("none chosen") << QStringLiteral("none") << false;
    }
    void finishWithoutDesktop() {
        QFETCH(QString, chosen);
        QFETCH(bool, told);
        for (const char* name :
             {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "SWAYSOCK",
              "HYPRLAND_INSTANCE_SIGNATURE", "I3SOCK", "DISPLAY", "WAYLAND_DISPLAY"}) {
            qunsetenv(name);
        }
        qputenv("TESSARYN_DESKTOP", chosen.toUtf8());
        desktop::installDesktopFromEnvironment();
        seed(QSize(640, 480), QPoint());
        QVERIFY(place([](PlacementWindow& f) { f.finishPlacement(); }));
        QVERIFY(QFileInfo::exists(composition::outputPath()));
        QCOMPARE(messages->shown.size(), size_t(told ? 1 : 0));
        if (told) {
            const QString& prompt = messages->shown[0].prompt;
            QVERIFY2(prompt.contains(QStringLiteral("no desktop was found")) &&
                         prompt.contains(QStringLiteral("TESSARYN_DESKTOP")) &&
                         prompt.contains(QStringLiteral("feh")),
                     qPrintable(prompt));
        }
    }

private:
    void seed(QSize size, QPoint origin) {
        const QString file = home->root() + QStringLiteral("/wall.bmp");
        QVERIFY(tk::SavePictureAsBitmap(makeWallpaper(size.width(), size.height()), file).ok);
        setDesktopValue(QStringLiteral("Wallpaper"), file);
        setDesktopValue(QStringLiteral("WallpaperOriginX"), QString::number(origin.x()));
        setDesktopValue(QStringLiteral("WallpaperOriginY"), QString::number(origin.y()));
        setDesktopValue(QStringLiteral("TileWallpaper"), QStringLiteral("0"));
    }
    // "Drag Calendar" with a 301 x 145 preview; `whileShown` acts on the
    // shown window. Whether it was shown.
    bool place(const std::function<void(PlacementWindow&)>& whileShown = {}) {
        bool shown = false;
        QTimer::singleShot(0, [&] {
            if (PlacementWindow* f = loadedPlacementWindow(); f != nullptr && f->isVisible()) {
                shown = true;
                if (whileShown) {
                    whileShown(*f);
                }
                if (loadedPlacementWindow() != nullptr) {
                    loadedPlacementWindow()->closeWindow();
                }
            }
        });
        FakeChoice choice;
        auto preview = makePreview(QSize(301, 145), choice);
        sys::WallpaperSettings settings;
        QWidget owner;
        StartPlacement(*preview, choice, settings, &owner);
        QCoreApplication::processEvents();
        return shown;
    }

    std::unique_ptr<TempHome> home;
    std::unique_ptr<MessageRecorder> messages;
};

QTEST_MAIN(MessagesTest)
#include "MessagesTest.moc"
