// "Drag Calendar" from the registry to the shown placement window: no
// wallpaper, the size check, unloadable files and unreachable origins, the
// window's place on the screen, the calendar picture at the corner on every
// placement, and the modal show that returns only when the window closes.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "PlacementFixture.h"
#include "composition/CompositionRecord.h"
#include "placement/PlacementStart.h"
#include "placement/PlacementWindow.h"
#include "support/TempHome.h"
#include "system/wallpaper/WallpaperStore.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Units.h"
#include "toolkit/picture/PictureFile.h"

using placement::PlacementStart;
using placement::PlacementWindow;

namespace {

const QString kTooSmall =
    QStringLiteral("壁紙のサイズがカレンダーより小さいようです。\r\n再設定して下さい。");

}  // namespace

class PlacementStartTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void noWallpaperDoesNothing_data();
    void noWallpaperDoesNothing();
    void sizeCheck_data();
    void sizeCheck();
    void windowLiesOverTheWallpaper_data();
    void windowLiesOverTheWallpaper();
    void anUnloadablePictureIsToldAndNoWindowShown_data();
    void anUnloadablePictureIsToldAndNoWindowShown();
    void anOriginOutOfReachIsToldAndNoWindowShown();
    void pictureStartsAtTheCornerOnEveryPlacement();
    void theWholeRoadTwice();
    void aFailedFinishOnOurOutputLeavesTheWindowAsItWas();

private:
    // Runs the start; `whileShown` acts on the shown window from inside the
    // modal loop (and must close it). Returns whether the start waited.
    bool start(const std::function<void(PlacementWindow&)>& whileShown = {});
    void seed(const QImage& wall, int originX = 0, int originY = 0, int tile = 0);

    std::unique_ptr<TempHome> home;
    FakeChoice choice;
    sys::WallpaperSettings desktopWallpaper;  // what the main window keeps
    std::unique_ptr<tk::PictureBox> preview;
    std::unique_ptr<FakeServices> fakes;
    MessageRecorder* messages = nullptr;
    std::unique_ptr<PlacementStart> placement;
    QWidget owner;
    bool shownSeen = false;
    QRect shownGeometry;
};

void PlacementStartTest::initTestCase() {
    quietPlatformWarnings();
    QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(800, 800));
    QCOMPARE(QGuiApplication::primaryScreen()->logicalDotsPerInchX(), 96.0);
}

void PlacementStartTest::init() {
    home = std::make_unique<TempHome>();
    fakes = std::make_unique<FakeServices>();
    messages = &fakes->messages;
    placement = std::make_unique<PlacementStart>(fakes->services());
    preview = makePreview(QSize(301, 145), choice);
    desktopWallpaper = {};
    shownSeen = false;
}

void PlacementStartTest::cleanup() {
    if (PlacementWindow* f = placement->loadedWindow()) {
        f->closeWindow();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(placement->loadedWindow() == nullptr);
    placement.reset();
    messages = nullptr;
    fakes.reset();
    preview.reset();
    home.reset();
}

void PlacementStartTest::seed(const QImage& wall, int originX, int originY, int tile) {
    const QString file = home->root() + QStringLiteral("/wall.bmp");
    QVERIFY(tk::SavePictureAsBitmap(wall, file).ok);
    setDesktopValue(QStringLiteral("Wallpaper"), file);
    setDesktopValue(QStringLiteral("WallpaperOriginX"), QString::number(originX));
    setDesktopValue(QStringLiteral("WallpaperOriginY"), QString::number(originY));
    setDesktopValue(QStringLiteral("TileWallpaper"), QString::number(tile));
}

bool PlacementStartTest::start(const std::function<void(PlacementWindow&)>& whileShown) {
    bool acted = false;
    QTimer::singleShot(0, [&] {
        PlacementWindow* f = placement->loadedWindow();
        if (f == nullptr || !f->isVisible()) {
            return;  // the start did not show it: nothing to close
        }
        acted = true;
        shownSeen = true;
        shownGeometry = f->geometry();
        QVERIFY(QTest::qWaitForWindowExposed(f));
        QCOMPARE(f->windowModality(), Qt::ApplicationModal);
        if (whileShown) {
            whileShown(*f);
        }
        if (placement->loadedWindow() != nullptr) {
            placement->loadedWindow()->closeWindow();
        }
    });
    // A start that forgot to return would hang: end it from outside.
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [this] {
        if (PlacementWindow* f = placement->loadedWindow()) {
            f->closeWindow();
        }
    });
    watchdog.start(10000);
    placement->start(*preview, choice, desktopWallpaper, &owner);
    const bool waited = acted;
    QCoreApplication::processEvents();  // a timer the start did not wait for
    return waited;
}

void PlacementStartTest::noWallpaperDoesNothing_data() {
    QTest::addColumn<bool>("valueExists");
    QTest::newRow("no value") << false;
    QTest::newRow("empty value") << true;
}

void PlacementStartTest::noWallpaperDoesNothing() {
    QFETCH(bool, valueExists);
    if (valueExists) {
        setDesktopValue(QStringLiteral("Wallpaper"), QString());
    }
    QVERIFY(!start());
    QVERIFY(messages->shown.empty());
    // Loaded by the font step, never shown; the next click reuses it.
    PlacementWindow* hidden = placement->loadedWindow();
    QVERIFY(hidden != nullptr);
    QVERIFY(!hidden->isVisible());
    QCOMPARE(hidden->wallpaperView->surface()->font(), preview->surface()->font());
    QCOMPARE(hidden->wallpaperView->toolTip(),
             QStringLiteral("右クリックで再設定/ダブルクリックで完了"));
    QPointer<PlacementWindow> first(hidden);

    seed(makeWallpaper(400, 300));
    QVERIFY(start());
    QVERIFY(!first.isNull() || shownSeen);
}

void PlacementStartTest::sizeCheck_data() {
    QTest::addColumn<QSize>("wallpaper");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("equal") << QSize(301, 145) << true;
    QTest::newRow("larger") << QSize(640, 480) << true;
    QTest::newRow("one pixel narrower") << QSize(300, 480) << false;
    QTest::newRow("one pixel lower") << QSize(640, 144) << false;
    QTest::newRow("wider but lower") << QSize(800, 100) << false;
}

void PlacementStartTest::sizeCheck() {
    QFETCH(QSize, wallpaper);
    QFETCH(bool, accepted);
    seed(makeWallpaper(wallpaper.width(), wallpaper.height()));
    QCOMPARE(start(), accepted);
    if (accepted) {
        QVERIFY(messages->shown.empty());
        QCOMPARE(shownGeometry.size(), wallpaper);
    } else {
        QCOMPARE(int(messages->shown.size()), 1);
        QCOMPARE(messages->shown[0].prompt, kTooSmall);
        QVERIFY(messages->shown[0].kind == tk::MessageKind::Information);
        QCOMPARE(messages->shown[0].title, QStringLiteral("Tessaryn Info."));
        QVERIFY(!placement->loadedWindow()->isVisible());
    }
}

void PlacementStartTest::windowLiesOverTheWallpaper_data() {
    QTest::addColumn<QSize>("wallpaper");
    QTest::addColumn<int>("originX");
    QTest::addColumn<int>("originY");
    QTest::addColumn<int>("tile");
    QTest::addColumn<QRect>("expected");  // pixels; the screen is 800 x 800
    QTest::addColumn<QRect>("part");      // what of the wallpaper it shows
    const QRect whole(0, 0, 400, 300);
    QTest::newRow("tiled at 0, 0: the corner")
        << QSize(400, 300) << 0 << 0 << 1 << QRect(0, 0, 400, 300) << whole;
    QTest::newRow("untiled with an origin")
        << QSize(400, 300) << 40 << 30 << 0 << QRect(40, 30, 400, 300) << whole;
    QTest::newRow("tiled with an origin")
        << QSize(400, 300) << 7 << 0 << 1 << QRect(7, 0, 400, 300) << whole;
    QTest::newRow("centred") << QSize(400, 300) << 0 << 0 << 0 << QRect(200, 250, 400, 300)
                             << whole;
    // Half of an odd difference is dropped toward zero.
    QTest::newRow("centred, odd difference")
        << QSize(799, 799) << 0 << 0 << 0 << QRect(0, 0, 799, 799) << QRect(0, 0, 799, 799);
    // Only what is on the screen: the window never reaches beyond it.
    QTest::newRow("negative origin")
        << QSize(400, 300) << -20 << 0 << 0 << QRect(0, 0, 380, 300) << QRect(20, 0, 380, 300);
    QTest::newRow("centred, larger than the screen")
        << QSize(1000, 900) << 0 << 0 << 0 << QRect(0, 0, 800, 800) << QRect(100, 50, 800, 800);
    QTest::newRow("origin partly off the screen")
        << QSize(400, 300) << 450 << 600 << 0 << QRect(450, 600, 350, 200) << QRect(0, 0, 350, 200);
}

void PlacementStartTest::windowLiesOverTheWallpaper() {
    QFETCH(QSize, wallpaper);
    QFETCH(int, originX);
    QFETCH(int, originY);
    QFETCH(int, tile);
    QFETCH(QRect, expected);
    QFETCH(QRect, part);
    seed(makeWallpaper(wallpaper.width(), wallpaper.height()), originX, originY, tile);
    QVERIFY(start([&](PlacementWindow& f) {
        QCOMPARE(f.wallpaperView->geometry(), QRect(QPoint(0, 0), part.size()));
        QCOMPARE(differingPixels(f.wallpaperView->surface()->image(),
                                 makeWallpaper(wallpaper.width(), wallpaper.height()).copy(part)),
                 0LL);
        // The calendar picture starts at the top-left corner of what shows.
        QCOMPARE(f.calendarPicture->pos(), QPoint(0, 0));
    }));
    QCOMPARE(shownGeometry, expected);
}

void PlacementStartTest::anUnloadablePictureIsToldAndNoWindowShown_data() {
    QTest::addColumn<QByteArray>("content");  // empty: no file at all
    QTest::addColumn<QString>("reasonPart");
    QTest::newRow("missing") << QByteArray() << QStringLiteral("No such file");
    QTest::newRow("not a picture") << QByteArray("just text\n") << QStringLiteral("known format");
    QByteArray cut("BM");
    cut.append(60, '\x01');
    QTest::newRow("damaged bitmap") << cut << QStringLiteral("bitmap");
}

void PlacementStartTest::anUnloadablePictureIsToldAndNoWindowShown() {
    QFETCH(QByteArray, content);
    QFETCH(QString, reasonPart);
    const QString file = home->root() + QStringLiteral("/wall.bmp");
    if (!content.isEmpty()) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    setDesktopValue(QStringLiteral("Wallpaper"), file);
    QVERIFY(!start());
    QCOMPARE(int(messages->shown.size()), 1);
    QCOMPARE(messages->shown[0].title, QStringLiteral("Tessaryn Info."));
    QVERIFY2(messages->shown[0].prompt.contains(file), qPrintable(messages->shown[0].prompt));
    QVERIFY2(messages->shown[0].prompt.contains(reasonPart, Qt::CaseInsensitive),
             qPrintable(messages->shown[0].prompt));
    QVERIFY(!placement->loadedWindow()->isVisible());
}

void PlacementStartTest::anOriginOutOfReachIsToldAndNoWindowShown() {
    // Just past the 800-pixel screen: nothing of it shows, as the message says.
    seed(makeWallpaper(400, 300), 800, 10, 0);
    QVERIFY(!start());
    QCOMPARE(int(messages->shown.size()), 1);
    QVERIFY2(messages->shown[0].prompt.contains(QStringLiteral("cannot be used")),
             qPrintable(messages->shown[0].prompt));
    messages->shown.clear();
    seed(makeWallpaper(400, 300), 200000000, 0, 0);  // far beyond any screen
    QVERIFY(!start());
    QCOMPARE(int(messages->shown.size()), 1);
    QCOMPARE(messages->shown[0].title, QStringLiteral("Tessaryn Info."));
    QVERIFY(messages->shown[0].prompt.contains(QStringLiteral("200000000")));
    QVERIFY(!placement->loadedWindow()->isVisible());
    // The hidden window holds no wallpaper.
    QVERIFY(placement->loadedWindow()->wallpaperView->surface()->picture().isNull());
}

void PlacementStartTest::pictureStartsAtTheCornerOnEveryPlacement() {
    seed(makeWallpaper(500, 400));
    QPointer<PlacementWindow> first;
    QVERIFY(start([&](PlacementWindow& f) {
        first = &f;
        QCOMPARE(f.calendarPicture->pos(), QPoint(0, 0));
        QVERIFY(f.calendarPicture->isVisible());
        QCOMPARE(
            differingPixels(f.calendarPicture->surface()->image(), preview->surface()->image()),
            0LL);
        QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, QPoint(220, 170));
        QCOMPARE(f.calendarPicture->pos(), QPoint(200, 150));
        QTest::mouseClick(f.windowHandle(), Qt::RightButton, {}, QPoint(300, 200));  // cancel
    }));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull());  // destroyed by the cancel
    QVERIFY(start([&](PlacementWindow& f) {
        QCOMPARE(f.calendarPicture->pos(), QPoint(0, 0));
        QVERIFY(f.calendarPicture->isVisible());
    }));
}

void PlacementStartTest::theWholeRoadTwice() {
    desktopWallpaper.tiled = true;  // an earlier tiled wallpaper
    const QImage wall = makeWallpaper(600, 450);
    seed(wall, 0, 0, 1);
    const QString output = home->dataHome() + QStringLiteral("/tessaryn/Tessavel.bmp");
    bool returnedBeforeClose = false;
    QVERIFY(start([&](PlacementWindow& f) {
        QCOMPARE(f.pos(), QPoint(0, 0));  // tiled: the corner
        QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, QPoint(4, 4));
        QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, QPoint(124, 94));
        QTest::mouseDClick(f.windowHandle(), Qt::LeftButton, {}, QPoint(140, 110));
        QTest::mouseDClick(f.windowHandle(), Qt::LeftButton, {}, QPoint(590, 440));
        returnedBeforeClose = placement->loadedWindow() != nullptr;
    }));
    QVERIFY(!returnedBeforeClose);
    const QImage composed = wallpaperWithCalendar(wall, choice, 90.75f, 68.25f);  // 121, 91 px
    QCOMPARE(differingPixels(QImage(output), composed), 0LL);
    QCOMPARE(desktopWallpaper.picture, output);
    QCOMPARE(
        desktopValues(),
        (QStringList{QStringLiteral("Wallpaper=") + output, QStringLiteral("TileWallpaper=0"),
                     QStringLiteral("WallpaperOriginX=0"), QStringLiteral("WallpaperOriginY=0")}));

    // The next placement starts from the composed wallpaper, now centred.
    QVERIFY(start([&](PlacementWindow& f) {
        QCOMPARE(f.pos(), QPoint(100, 175));
        QCOMPARE(differingPixels(f.wallpaperView->surface()->image(), composed), 0LL);
    }));
}

void PlacementStartTest::aFailedFinishOnOurOutputLeavesTheWindowAsItWas() {
    const QImage wall = makeWallpaper(600, 450);
    seed(wall);
    QVERIFY(start([](PlacementWindow& f) {
        QTest::mouseDClick(f.windowHandle(), Qt::LeftButton, {}, QPoint(590, 440));
    }));
    // Our output, where the record says it is; a folder has the name the
    // finish saves to.
    const QString output = home->dataHome() + QStringLiteral("/tessaryn/Tessavel.bmp");
    const QString shown = home->root() + QStringLiteral("/shown.bmp");
    QVERIFY(QFile::rename(output, shown));
    QCOMPARE(composition::setRecordValue(QStringLiteral("Output"), shown), QString());
    setDesktopValue(QStringLiteral("Wallpaper"), shown);
    QVERIFY(QDir().mkpath(output + QStringLiteral("/in the way")));

    const QImage withCalendar = wallpaperWithCalendar(wall, choice, 0.75f, 0.75f);
    QVERIFY(start([&](PlacementWindow& f) {
        const QImage before = f.wallpaperView->surface()->image().copy();
        QTest::mouseDClick(f.windowHandle(), Qt::LeftButton, {}, QPoint(590, 440));
        QCOMPARE(int(messages->shown.size()), 1);
        QVERIFY(messages->shown[0].prompt.contains(QStringLiteral("nothing was changed")));
        QVERIFY(f.isVisible());
        QCOMPARE(differingPixels(f.wallpaperView->surface()->image(), before), 0LL);
        // The picture as loaded is back under the window: a preview draws on it.
        QVERIFY(QDir(output).removeRecursively());
        QTest::mouseDClick(f.windowHandle(), Qt::LeftButton, {},
                           f.calendarPicture->geometry().center());
        QCOMPARE(int(messages->shown.size()), 1);
        QCOMPARE(differingPixels(f.wallpaperView->surface()->image(), withCalendar), 0LL);
        QTest::mouseDClick(f.windowHandle(), Qt::LeftButton, {}, QPoint(590, 440));
    }));
    QCOMPARE(int(messages->shown.size()), 1);
    QCOMPARE(differingPixels(QImage(output), withCalendar), 0LL);
}

QTEST_MAIN(PlacementStartTest)
#include "PlacementStartTest.moc"
