// The placement on one of two monitors: the one that holds the main window,
// here the right one at device pixel ratio 2 beside a plain one. The window
// lies over the wallpaper's place there, shows it in device pixels, and the
// drop, the preview and the finish map to wallpaper pixels.
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QtTest>

#include "PlacementFixture.h"
#include "composition/CalendarComposition.h"
#include "placement/PlacementStart.h"
#include "placement/PlacementWindow.h"
#include "support/TempHome.h"
#include "system/wallpaper/WallpaperStore.h"
#include "toolkit/PictureBox.h"
#include "toolkit/picture/PictureFile.h"

using placement::PlacementStart;
using placement::PlacementWindow;

class MonitorsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void placementOnTheMonitorOfTheMainWindow_data();
    void placementOnTheMonitorOfTheMainWindow();
};

void MonitorsTest::initTestCase() {
    quietPlatformWarnings();
    const QList<QScreen*> screens = QGuiApplication::screens();
    QCOMPARE(screens.size(), 2);
    QCOMPARE(screens[1]->geometry(), QRect(1280, 0, 1024, 768));
    QCOMPARE(screens[1]->devicePixelRatio(), 2.0);
}

void MonitorsTest::placementOnTheMonitorOfTheMainWindow_data() {
    QTest::addColumn<QPoint>("mainAt");
    QTest::addColumn<double>("dpr");
    QTest::addColumn<QRect>("window");  // logical
    // 800 x 600 centred on 1280 x 800: (240, 100).
    QTest::newRow("left") << QPoint(100, 100) << 1.0 << QRect(240, 100, 800, 600);
    // Centred on 2048 x 1536 device pixels: (624, 468), that is 312, 234
    // logical from the monitor's corner, 400 x 300 logical.
    QTest::newRow("right") << QPoint(1400, 100) << 2.0 << QRect(1280 + 312, 234, 400, 300);
}

void MonitorsTest::placementOnTheMonitorOfTheMainWindow() {
    QFETCH(QPoint, mainAt);
    QFETCH(double, dpr);
    QFETCH(QRect, window);
    TempHome home;
    FakeChoice choice;
    sys::WallpaperSettings desktopWallpaper;  // what the main window keeps
    const QImage wall = makeWallpaper(800, 600);
    const QString file = home.root() + QStringLiteral("/wall.bmp");
    QVERIFY(tk::SavePictureAsBitmap(wall, file).ok);
    setDesktopValue(QStringLiteral("Wallpaper"), file);
    setDesktopValue(QStringLiteral("WallpaperOriginX"), QStringLiteral("0"));
    setDesktopValue(QStringLiteral("WallpaperOriginY"), QStringLiteral("0"));
    setDesktopValue(QStringLiteral("TileWallpaper"), QStringLiteral("0"));
    desktopWallpaper = {};

    QWidget owner;
    owner.setGeometry(QRect(mainAt, QSize(300, 200)));
    owner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&owner));
    auto preview = makePreview(QSize(301, 145), choice);

    FakeServices fakes;
    PlacementStart start(fakes.services());
    QRect shown;
    std::optional<composition::PlacedCalendar> placed;
    QImage onScreen;
    QTimer::singleShot(0, [&] {
        PlacementWindow* f = start.loadedWindow();
        QVERIFY(f != nullptr && QTest::qWaitForWindowExposed(f));
        shown = f->geometry();
        QCOMPARE(f->wallpaperView->deviceScale(), dpr);
        // In device pixels, the wallpaper one to one.
        QCOMPARE(f->wallpaperView->surface()->image().size(), QSize(800, 600));
        // Drag the picture by (100, 50) logical pixels, preview, finish.
        QWindow* w = f->windowHandle();
        QTest::mousePress(w, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseRelease(w, Qt::LeftButton, {}, QPoint(110, 60));
        QCOMPARE(f->calendarPicture->pos(), QPoint(100, 50));
        QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(130, 70));
        placed = f->lastPreview();
        onScreen = f->wallpaperView->surface()->image().copy();
        QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(window.width() - 5, window.height() - 5));
    });
    start.start(*preview, choice, desktopWallpaper, &owner);
    QCOMPARE(shown, window);

    // The image inside the picture's border: (101, 51) logical pixels, that
    // many device pixels times the ratio, and as many wallpaper pixels.
    QVERIFY(placed.has_value());
    QCOMPARE(placed->at, QPointF(101, 51) * dpr);
    QCOMPARE(placed->fontPixels, calendarFont().pointSizeF() * 96.0 / 72.0 * dpr);
    const QImage saved(home.dataHome() + QStringLiteral("/tessaryn/Tessavel.bmp"));
    QCOMPARE(saved.size(), QSize(800, 600));
    QCOMPARE(differingPixels(saved, composition::composeCalendars(wall, {*placed})), 0LL);
    // What the screen showed is what was saved.
    QCOMPARE(differingPixels(saved, onScreen), 0LL);
    QVERIFY(differingPixels(saved, wall) > 1000);
}

QTEST_MAIN(MonitorsTest)
#include "MonitorsTest.moc"
