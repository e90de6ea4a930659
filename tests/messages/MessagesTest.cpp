// What the program says: printed paths with control characters escaped,
// LXDE's raw settings and paths that would break a line-based file, no Qt
// runtime-folder warning, and the placement's messages.
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "composition/CompositionRecord.h"
#include "mainwindow/WindowHarness.h"
#include "placement/PlacementFixture.h"
#include "placement/PlacementStart.h"
#include "placement/PlacementWindow.h"
#include "support/TempHome.h"
#include "system/desktop/DesktopFactory.h"
#include "system/desktop/DesktopSessions.h"
#include "system/wallpaper/WallpaperStore.h"
#include "toolkit/PictureBox.h"
#include "toolkit/picture/PictureFile.h"

using placement::PlacementStart;
using placement::PlacementWindow;

namespace {
QByteArray run(const QString& program, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    p.waitForFinished(60000);
    return p.readAll();
}
}  // namespace

class MessagesTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TempHome> home;
    std::unique_ptr<FakeServices> fakes;
    MessageRecorder* said = nullptr;

    // "Drag Calendar" on a wallpaper of `size` at `origin`, `act` run on the
    // window when it is shown. Whether it was.
    bool place(QSize size, QPoint origin, std::function<void(PlacementWindow&)> act = {}) {
        const QString file = home->root() + QStringLiteral("/wall.bmp");
        tk::SavePictureAsBitmap(makeWallpaper(size.width(), size.height()), file);
        setDesktopValue(QStringLiteral("Wallpaper"), file);
        setDesktopValue(QStringLiteral("WallpaperOriginX"), QString::number(origin.x()));
        setDesktopValue(QStringLiteral("WallpaperOriginY"), QString::number(origin.y()));
        PlacementStart start(fakes->services());
        bool shown = false;
        QTimer::singleShot(0, [&] {
            if (PlacementWindow* f = start.loadedWindow(); f && f->isVisible()) {
                shown = true;
                act ? act(*f) : f->closeWindow();
            }
        });
        FakeChoice choice;
        auto preview = makePreview(QSize(301, 145), choice);
        sys::WallpaperSettings settings;
        start.start(*preview, choice, settings, nullptr);
        return shown;
    }

private slots:
    void init() {
        home.reset();
        home = std::make_unique<TempHome>();
        fakes = std::make_unique<FakeServices>();
        said = &fakes->messages;
    }

    void printedPathsAreEscaped() {
        const QString trap = QStringLiteral("\x1b]0;TITLE\x07\x1b[2J");
        composition::Record rec;
        rec.original = rec.kept = QStringLiteral("/own.bmp");
        rec.output = composition::outputPath();
        rec.desktop = QStringLiteral("none");
        rec.composedFor = composition::monthIndex(2001, 1);
        QVERIFY(composition::writeRecord(rec).isEmpty());
        setDesktopValue(QStringLiteral("Wallpaper"), trap);
        const QStringList compose{"compose", "--year=2026", "--month=1", "--at=1,1", "--out=o.bmp"};
        for (const QByteArray& out :
             {run(TESSARYN, {QStringLiteral("refresh")}),
              run(TESSARYN_REG, {"query", "HKCU\\Control Panel\\desktop", "/v", "Wallpaper"}),
              run(TESSARYN, compose + QStringList{"--base", trap})}) {
            QVERIFY2(out.contains("\\x1b]0;TITLE\\x07\\x1b[2J") && !out.contains('\x1b'), out);
        }
    }

    void lxdeReadsRawAndRefusesLineBreaks() {
        desktoptest::TestHome session;
        session.env().set(QStringLiteral("PATH"), session.path());
        const QString dir = session.configHome() + QStringLiteral("/pcmanfm/LXDE");
        QDir().mkpath(dir);
        QFile conf(dir + QStringLiteral("/desktop-items-0.conf"));
        QVERIFY(conf.open(QIODevice::WriteOnly));
        conf.write("[*]\nwallpaper=/back\\slash.png\n");  // as pcmanfm prints it
        conf.close();
        session.env().set(QStringLiteral("DISPLAY"), QStringLiteral(":99"));
        const desktop::DesktopContext context{session.env(), 5000, 1000};
        QCOMPARE(desktop::createDesktopBackend(QStringLiteral("lxde"), context)->current().picture,
                 QStringLiteral("/back\\slash.png"));

        // Refused before any tool is told (the tools are not even there).
        const QString broken = session.writePicture(QStringLiteral("a\nwallpaper_mode=tile.bmp"));
        for (const QString name : {"lxde", "lxqt", "nitrogen", "feh", "hyprland", "sway"}) {
            const auto r = desktop::createDesktopBackend(name, context)->apply(broken, false);
            QVERIFY2(r.error.contains("a\\nwallpaper_mode=tile.bmp\" has a line break"),
                     qPrintable(name + r.error));
        }
    }

    void noRuntimeDirWarning() {
        qunsetenv("XDG_RUNTIME_DIR");
        QCOMPARE(run(TESSARYN, {QStringLiteral("list")}),
                 QByteArray("No calendar has been placed on a wallpaper yet.\n"));
    }

    void placementMessages() {
        QVERIFY(!place(QSize(800, 600), QPoint(600, 700)));  // the screen is 800 x 800
        QVERIFY(!place(QSize(300, 480), QPoint(600, 700)));  // narrower than the calendar
        QCOMPARE(said->shown.size(), size_t(2));
        QCOMPARE(said->shown[0].prompt.section(QLatin1Char('\n'), 0, 1),
                 "Only 200 x 100 pixels of the wallpaper are on the screen; the calendar needs "
                 "301 x 145.\nAt its origin (600, 700) the rest of the wallpaper lies beyond the "
                 "screen's edge.");
        QCOMPARE(said->shown[1].prompt,
                 "壁紙のサイズがカレンダーより小さいようです。\r\n再設定して下さい。");

        // A window too small to draw the calendar has none to place.
        auto form = startForm(home->root() + QStringLiteral("/Tessaryn.ini"));
        form->resize(312, 99);
        QTimer::singleShot(3000, form.get(), [&form] {  // one that opened all the same
            if (auto* f = form->findChild<PlacementWindow*>()) {
                f->closeWindow();
            }
        });
        form->dragButton->click();
        const std::vector<ShownMessage>& formSaid = fakesOf(*form).messages.shown;
        QCOMPARE(formSaid.size(), size_t(1));
        QVERIFY(formSaid[0].prompt.startsWith("The window is too small"));
        QVERIFY(form->findChild<PlacementWindow*>() == nullptr);

        // A finish no desktop shows says so, unless "none" was chosen.
        for (const char* chosen : {"", "none"}) {
            for (const char* name : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                     "SWAYSOCK", "HYPRLAND_INSTANCE_SIGNATURE", "I3SOCK"}) {
                qunsetenv(name);
            }
            qputenv("TESSARYN_DESKTOP", chosen);
            const std::unique_ptr<desktop::DesktopBackend> found =
                desktop::desktopFromEnvironment();
            fakes->desktop = found.get();
            QVERIFY(place(QSize(640, 480), {}, [](PlacementWindow& f) { f.finishPlacement(); }));
            fakes->desktop = &fakes->none;
        }
        QCOMPARE(said->shown.size(), size_t(3));
        const QString& hint = said->shown[2].prompt;
        QVERIFY2(hint.contains("Tessavel.bmp was saved, but no desktop was found to show it") &&
                     hint.contains("TESSARYN_DESKTOP") && hint.contains("install feh"),
                 qPrintable(hint));
    }
};

QTEST_MAIN(MessagesTest)
#include "MessagesTest.moc"
