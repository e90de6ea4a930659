// The placement window driven by real mouse events on the offscreen
// platform: dragging with the left and middle buttons, the outline, drops on
// and off the wallpaper, the right-click rules, the preview, the finish and
// the cancel, and a save or a desktop that fails.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

#include "PlacementFixture.h"
#include "placement/ManualDrag.h"
#include "placement/PlacementWindow.h"
#include "support/TempHome.h"
#include "system/desktop/DesktopBackend.h"
#include "toolkit/BusyPointer.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Units.h"
#include "toolkit/picture/PictureFile.h"

using placement::DragOutline;
using placement::ManualDrag;
using placement::PlacementWindow;

namespace {

const QString kTitle = QStringLiteral("Tessaryn Info.");

class RefusingDesktop : public desktop::DesktopBackend {
public:
    QString name() const override { return QStringLiteral("refusing"); }
    desktop::ApplyResult apply(const QString&, bool) override {
        return {false, QStringLiteral("the desktop is busy")};
    }
};

void processDeferredDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

}  // namespace

class PlacementWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { quietPlatformWarnings(); }
    void init();
    void cleanup();

    void hasTheDesignedLookAndHints();
    void dragMovesThePictureByTheGrabPoint_data();
    void dragMovesThePictureByTheGrabPoint();
    void grabArithmeticInPoints();
    void outlineFollowsThePointerWhilePictureIsHidden();
    void dropOffTheWallpaperHidesThePictureUntilARightClick();
    void otherButtonsDuringADragDoNothing();
    void leftClickOnTheWallpaperDoesNothing();
    void doubleClickOnThePicturePreviewsWhereItIs();
    void aDropFromElsewhereIsIgnored();
    void newPreviewErasesTheEarlierOne();
    void finishWithoutPreviewSavesTheBareWallpaper();
    void finishKeepsAnEarlierPreviewAfterTheDragMovedOn();
    void pictureSticksOutOverTheEdge();
    void cancelWritesNothing_data();
    void cancelWritesNothing();
    void aFailedSaveKeepsTheWindowOpenAndChangesNothing_data();
    void aFailedSaveKeepsTheWindowOpenAndChangesNothing();
    void aDesktopThatRefusesIsToldAfterTheFileIsWritten();

private:
    bool open(const QImage& wallpaper, QSize formExtra = QSize(0, 0));
    QWindow* window() const { return form->windowHandle(); }
    QPoint pictureCenter() const { return form->calendarPicture->geometry().center(); }
    QString outputPath() const {
        return home->dataHome() + QStringLiteral("/tessaryn/Tessavel.bmp");
    }

    std::unique_ptr<TempHome> home;
    FakeChoice choice;
    sys::WallpaperSettings settings;  // the placement's start
    std::unique_ptr<FakeServices> fakes;
    QPointer<PlacementWindow> form;
    QImage wallpaper;
    QImage pictureImage;
};

void PlacementWindowTest::init() {
    home = std::make_unique<TempHome>();
    fakes = std::make_unique<FakeServices>();
    settings = {QStringLiteral("/old/wallpaper.bmp"), QPoint(12, -3), false};
    wallpaper = makeWallpaper(520, 380);
    pictureImage = makePreview(QSize(301, 145), choice)->surface()->image().copy();
}

void PlacementWindowTest::cleanup() {
    if (form) {
        form->closeWindow();
    }
    processDeferredDeletes();
    QVERIFY(form.isNull());
    QVERIFY(QWidget::mouseGrabber() == nullptr);
    tk::overrideDpi(0);
    fakes.reset();
    home.reset();
}

bool PlacementWindowTest::open(const QImage& wall, QSize formExtra) {
    form = new PlacementWindow(choice, settings, fakes->services());
    form->wallpaperView->surface()->setFont(calendarFont());
    form->wallpaperView->setPicture(wall);
    form->wallpaperView->move(0, 0);
    form->resize(form->wallpaperView->size() + formExtra);
    form->calendarPicture->setPicture(pictureImage);
    form->calendarPicture->move(0, 0);
    form->move(60, 40);
    form->show();
    const bool ok = QTest::qWaitForWindowExposed(form);
    return ok;
}

void PlacementWindowTest::hasTheDesignedLookAndHints() {
    QVERIFY(open(wallpaper));
    QVERIFY(form->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(form->wallpaperView->toolTip(),
             QStringLiteral("右クリックで再設定/ダブルクリックで完了"));
    QCOMPARE(form->calendarPicture->toolTip(),
             QStringLiteral("右クリックでキャンセル/ダブルクリックでプレビュー"));
    QCOMPARE(form->wallpaperView->surface()->scaleMode(), int(tk::Unit::Points));
    QCOMPARE(form->calendarPicture->surface()->scaleMode(), int(tk::Unit::Points));
    QCOMPARE(form->wallpaperView->borderWidth(), 0);
    QCOMPARE(form->calendarPicture->borderWidth(), 1);
    QCOMPARE(form->calendarPicture->parentWidget(), form->wallpaperView);
    // Both size themselves to their pictures; the window is the wallpaper.
    QCOMPARE(form->wallpaperView->size(), wallpaper.size());
    QCOMPARE(form->calendarPicture->size(), pictureImage.size() + QSize(2, 2));
    QCOMPARE(form->size(), wallpaper.size());
    QCOMPARE(form->wallpaperView->surface()->backColor(), int32_t(0x80000005u));
    QCOMPARE(form->calendarPicture->surface()->backColor(), int32_t(0x80000005u));
    // The calendar picture is the preview's image.
    QCOMPARE(differingPixels(form->calendarPicture->surface()->image(), pictureImage), 0LL);
}

void PlacementWindowTest::dragMovesThePictureByTheGrabPoint_data() {
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("press");    // in the window
    QTest::addColumn<QPoint>("release");  // in the window
    QTest::newRow("left") << Qt::LeftButton << QPoint(40, 30) << QPoint(200, 150);
    QTest::newRow("middle") << Qt::MiddleButton << QPoint(40, 30) << QPoint(300, 260);
    // (0, 0) would mean "the middle" to QTest; (1, 1) is on the border too.
    QTest::newRow("border pixel") << Qt::LeftButton << QPoint(1, 1) << QPoint(100, 90);
    QTest::newRow("far corner") << Qt::LeftButton << QPoint(302, 146) << QPoint(400, 300);
    QTest::newRow("up and left of the start")
        << Qt::LeftButton << QPoint(200, 100) << QPoint(20, 10);
    QTest::newRow("same place") << Qt::LeftButton << QPoint(50, 50) << QPoint(50, 50);
}

void PlacementWindowTest::dragMovesThePictureByTheGrabPoint() {
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    QVERIFY(open(wallpaper));
    QTest::mousePress(window(), button, {}, press);
    QVERIFY(form->currentDrag() != nullptr);
    QVERIFY(!form->calendarPicture->isVisible());
    QCOMPARE(QWidget::mouseGrabber(), form->wallpaperView);
    QTest::mouseMove(window(), (press + release) / 2);
    QTest::mouseMove(window(), release);
    QTest::mouseRelease(window(), button, {}, release);
    QVERIFY(form->calendarPicture->isVisible());
    QCOMPARE(form->calendarPicture->pos(), release - press);
    QVERIFY(QWidget::mouseGrabber() == nullptr);
    QTRY_VERIFY(form->currentDrag() == nullptr);
}

// The press 10 points right of and 5 below the picture's corner, the
// release at (100, 50) on the wallpaper: the corner goes to (90, 45).
void PlacementWindowTest::grabArithmeticInPoints() {
    tk::overrideDpi(72);  // one point, one pixel
    QVERIFY(open(wallpaper));
    form->calendarPicture->move(7, 9);
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(17, 14));
    QCOMPARE(form->grabX, 10.0f);
    QCOMPARE(form->grabY, 5.0f);
    QTest::mouseMove(window(), QPoint(100, 50));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(100, 50));
    QCOMPARE(form->calendarPicture->pos(), QPoint(90, 45));

    // At 96 dpi a point is 4/3 pixel: 12 px = 9 pt, 8 px = 6 pt.
    tk::overrideDpi(96);
    form->calendarPicture->move(0, 0);
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(12, 8));
    QCOMPARE(form->grabX, 9.0f);
    QCOMPARE(form->grabY, 6.0f);
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(132, 68));  // (99, 51) points
    QCOMPARE(form->calendarPicture->pos(), QPoint(120, 60));             // (90, 45) points
}

void PlacementWindowTest::outlineFollowsThePointerWhilePictureIsHidden() {
    QVERIFY(open(wallpaper));
    const QPoint press(30, 20);
    QTest::mousePress(window(), Qt::LeftButton, {}, press);
    const ManualDrag* drag = form->currentDrag();
    QVERIFY(drag != nullptr);
    const DragOutline* outline = drag->outline();
    QVERIFY(outline != nullptr);
    QVERIFY(outline->isVisible());
    QVERIFY(outline->isWindow());
    QCOMPARE(outline->size(), form->calendarPicture->size());
    QCOMPARE(outline->pos(), form->mapToGlobal(QPoint(0, 0)));
    // Only a frame: the wallpaper shows through the middle.
    QVERIFY(!outline->mask().contains(QPoint(outline->width() / 2, outline->height() / 2)));
    QVERIFY(outline->mask().contains(QPoint(0, 0)));

    for (const QPoint to : {QPoint(80, 90), QPoint(250, 20), QPoint(10, 300)}) {
        QTest::mouseMove(window(), to);
        QCOMPARE(outline->pos(), form->mapToGlobal(to - press));
        QVERIFY(!form->calendarPicture->isVisible());
    }
    QPointer<const DragOutline> gone(outline);
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(10, 300));
    processDeferredDeletes();
    QVERIFY(gone.isNull());
}

void PlacementWindowTest::dropOffTheWallpaperHidesThePictureUntilARightClick() {
    QVERIFY(open(wallpaper));
    form->calendarPicture->move(33, 44);
    const QPoint press = QPoint(33, 44) + QPoint(20, 20);
    QTest::mousePress(window(), Qt::LeftButton, {}, press);
    QTest::mouseMove(window(), QPoint(-30, -25));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(-30, -25));  // off the window
    QVERIFY(!form->calendarPicture->isVisible());
    QVERIFY(QWidget::mouseGrabber() == nullptr);
    QCOMPARE(form->calendarPicture->pos(), QPoint(33, 44));

    // Left and middle clicks on the wallpaper leave it hidden.
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(300, 300));
    QTest::mouseClick(window(), Qt::MiddleButton, {}, QPoint(300, 300));
    QVERIFY(!form->calendarPicture->isVisible());
    QTest::mouseClick(window(), Qt::RightButton, {}, QPoint(300, 300));
    QVERIFY(form->calendarPicture->isVisible());
    QCOMPARE(form->calendarPicture->pos(), QPoint(33, 44));
    QVERIFY(form->isVisible());
}

void PlacementWindowTest::otherButtonsDuringADragDoNothing() {
    QVERIFY(open(wallpaper));
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(40, 40));
    QTest::mouseMove(window(), QPoint(150, 150));
    // A right press now neither cancels nor brings the picture back.
    QTest::mousePress(window(), Qt::RightButton, {}, QPoint(150, 150));
    QTest::mouseRelease(window(), Qt::RightButton, {}, QPoint(150, 150));
    QVERIFY(form->isVisible());
    QVERIFY(!form->calendarPicture->isVisible());
    QVERIFY(form->currentDrag() != nullptr);
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(160, 170));
    QCOMPARE(form->calendarPicture->pos(), QPoint(120, 130));
    QVERIFY(form->calendarPicture->isVisible());
}

void PlacementWindowTest::leftClickOnTheWallpaperDoesNothing() {
    QVERIFY(open(wallpaper));
    const QImage before = form->wallpaperView->surface()->image().copy();
    QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(400, 300));
    QTest::mouseClick(window(), Qt::RightButton, {}, QPoint(400, 300));
    QVERIFY(form->isVisible());
    QVERIFY(form->calendarPicture->isVisible());
    QCOMPARE(form->calendarPicture->pos(), QPoint(0, 0));
    QCOMPARE(differingPixels(form->wallpaperView->surface()->image(), before), 0LL);
    QVERIFY(!QFile::exists(outputPath()));
}

void PlacementWindowTest::doubleClickOnThePicturePreviewsWhereItIs() {
    QVERIFY(open(wallpaper));
    // Somewhere not at the corner first.
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(106, 70));
    QCOMPARE(form->calendarPicture->pos(), QPoint(96, 60));

    // Its first press starts a drag that drops on the same place; the second
    // press is the double-click.
    QTest::mouseDClick(window(), Qt::LeftButton, {}, pictureCenter());
    QVERIFY(!form->calendarPicture->isVisible());
    QCOMPARE(form->calendarPicture->pos(), QPoint(96, 60));
    QVERIFY(form->currentDrag() == nullptr || !form->currentDrag()->active());
    QVERIFY(QWidget::mouseGrabber() == nullptr);

    // Exactly the calendar drawn where the picture's image was, inside its
    // 1-pixel border: 97, 61 px are 72.75, 45.75 points.
    const QImage expected = wallpaperWithCalendar(wallpaper, choice, 72.75f, 45.75f);
    QCOMPARE(differingPixels(form->wallpaperView->surface()->image(), expected), 0LL);
    QVERIFY(differingPixels(form->wallpaperView->surface()->image(), wallpaper) > 500);
    // Nothing of it lies above or left of the corner.
    QCOMPARE(
        differingPixels(form->wallpaperView->surface()->image(), wallpaper, QRect(0, 0, 520, 60)),
        0LL);
    QCOMPARE(
        differingPixels(form->wallpaperView->surface()->image(), wallpaper, QRect(0, 0, 96, 380)),
        0LL);
}

void PlacementWindowTest::aDropFromElsewhereIsIgnored() {
    QVERIFY(open(wallpaper));
    QWidget stranger;
    stranger.setObjectName(QStringLiteral("otherPicture"));
    form->calendarPicture->hide();
    form->calendarDropped(&stranger, 200, 200);
    QVERIFY(!form->calendarPicture->isVisible());
    QCOMPARE(form->calendarPicture->pos(), QPoint(0, 0));
    QWidget namesake;
    namesake.setObjectName(QStringLiteral("calendarPicture"));  // the same name is not enough
    form->calendarDropped(&namesake, 200, 200);
    QVERIFY(!form->calendarPicture->isVisible());
}

void PlacementWindowTest::newPreviewErasesTheEarlierOne() {
    QVERIFY(open(wallpaper));
    QTest::mouseDClick(window(), Qt::LeftButton, {}, pictureCenter());
    QTest::mouseClick(window(), Qt::RightButton, {}, QPoint(500, 370));
    QVERIFY(form->calendarPicture->isVisible());
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(188, 208));
    QTest::mouseDClick(window(), Qt::LeftButton, {}, pictureCenter());
    const QImage expected =
        wallpaperWithCalendar(wallpaper, choice, 135.75f, 150.75f);  // 181, 201 px
    QCOMPARE(differingPixels(form->wallpaperView->surface()->image(), expected), 0LL);
}

void PlacementWindowTest::finishWithoutPreviewSavesTheBareWallpaper() {
    const MessageRecorder& messages = fakes->messages;
    QVERIFY(open(wallpaper));
    QSignalSpy closed(form.data(), &PlacementWindow::closed);
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(450, 330));

    QCOMPARE(closed.count(), 1);
    QVERIFY(messages.shown.empty());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    const QImage saved(outputPath());
    QCOMPARE(differingPixels(saved, wallpaper), 0LL);
    QCOMPARE(settings.picture, outputPath());
    QCOMPARE(desktopValues(),
             (QStringList{QStringLiteral("Wallpaper=") + outputPath(),
                          QStringLiteral("TileWallpaper=0"), QStringLiteral("WallpaperOriginX=12"),
                          QStringLiteral("WallpaperOriginY=-3")}));
    processDeferredDeletes();
    QVERIFY(form.isNull());  // unloaded
}

void PlacementWindowTest::finishKeepsAnEarlierPreviewAfterTheDragMovedOn() {
    QVERIFY(open(wallpaper));
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(4, 4));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(28, 16));  // corner 24, 12 px
    QTest::mouseDClick(window(), Qt::LeftButton, {}, pictureCenter());  // preview there
    QTest::mouseClick(window(), Qt::RightButton, {}, QPoint(500, 370));
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(30, 20));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(206, 228));  // elsewhere
    QCOMPARE(form->calendarPicture->pos(), QPoint(200, 220));
    QVERIFY(form->calendarPicture->isVisible());
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(510, 20));

    // The earlier preview at 25, 13 px (18.75, 9.75 points: the picture's
    // image inside its border); the picture is no part of the file.
    const QImage saved(outputPath());
    QCOMPARE(differingPixels(saved, wallpaperWithCalendar(wallpaper, choice, 18.75f, 9.75f)), 0LL);
}

void PlacementWindowTest::pictureSticksOutOverTheEdge() {
    QVERIFY(open(wallpaper));
    QTest::mousePress(window(), Qt::LeftButton, {}, QPoint(150, 100));
    QTest::mouseRelease(window(), Qt::LeftButton, {}, QPoint(510, 370));
    QCOMPARE(form->calendarPicture->pos(), QPoint(360, 270));  // mostly off the wallpaper
    QVERIFY(form->calendarPicture->isVisible());
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(380, 290));
    QVERIFY(!form->calendarPicture->isVisible());
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(20, 20));
    const QImage saved(outputPath());
    QCOMPARE(saved.size(), wallpaper.size());
    QCOMPARE(differingPixels(saved, wallpaperWithCalendar(wallpaper, choice, 270.75f, 203.25f)),
             0LL);
}

void PlacementWindowTest::cancelWritesNothing_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("right press on the picture") << QStringLiteral("picture");
    QTest::newRow("right press on the picture after a preview") << QStringLiteral("preview");
    QTest::newRow("right press on the window beside the wallpaper") << QStringLiteral("window");
    QTest::newRow("closed by the window manager") << QStringLiteral("close");
}

void PlacementWindowTest::cancelWritesNothing() {
    QFETCH(QString, how);
    setDesktopValue(QStringLiteral("Wallpaper"), QStringLiteral("/old/wallpaper.bmp"));
    setDesktopValue(QStringLiteral("TileWallpaper"), QStringLiteral("1"));
    const QStringList before = desktopValues();
    QDir().mkpath(home->dataHome() + QStringLiteral("/tessaryn"));
    QVERIFY(tk::SavePictureAsBitmap(makeWallpaper(20, 20, 9), outputPath()).ok);
    QFile old(outputPath());
    QVERIFY(old.open(QIODevice::ReadOnly));
    const QByteArray oldBytes = old.readAll();
    old.close();

    QVERIFY(open(wallpaper, QSize(40, 40)));
    QSignalSpy closed(form.data(), &PlacementWindow::closed);
    if (how == QLatin1String("preview")) {
        QTest::mouseDClick(window(), Qt::LeftButton, {}, pictureCenter());
        QTest::mouseClick(window(), Qt::RightButton, {}, QPoint(400, 300));
        QTest::mouseClick(window(), Qt::RightButton, {}, pictureCenter());
    } else if (how == QLatin1String("picture")) {
        QTest::mouseClick(window(), Qt::RightButton, {}, pictureCenter());
    } else if (how == QLatin1String("window")) {
        QTest::mouseClick(window(), Qt::LeftButton, {}, QPoint(540, 400));  // nothing
        QVERIFY(form->isVisible());
        QTest::mouseClick(window(), Qt::RightButton, {}, QPoint(540, 400));
    } else {
        form->close();
    }
    QCOMPARE(closed.count(), 1);
    processDeferredDeletes();
    QVERIFY(form.isNull());
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), oldBytes);
    QCOMPARE(
        QDir(home->dataHome() + QStringLiteral("/tessaryn")).entryList(QDir::Files | QDir::Hidden),
        QStringList{QStringLiteral("Tessavel.bmp")});
    QCOMPARE(desktopValues(), before);
    QCOMPARE(settings.picture, QStringLiteral("/old/wallpaper.bmp"));
}

void PlacementWindowTest::aFailedSaveKeepsTheWindowOpenAndChangesNothing_data() {
    QTest::addColumn<bool>("afterTheDrawing");
    QTest::addColumn<QString>("reason");
    // Where the data folder would be created there is a plain file.
    QTest::newRow("before the drawing") << false << QStringLiteral("Not a directory");
    // The calendar is drawn, and a folder has the output's name.
    QTest::newRow("after the drawing") << true << QStringLiteral("it is a folder");
}

void PlacementWindowTest::aFailedSaveKeepsTheWindowOpenAndChangesNothing() {
    QFETCH(bool, afterTheDrawing);
    QFETCH(QString, reason);
    const MessageRecorder& messages = fakes->messages;
    setDesktopValue(QStringLiteral("TileWallpaper"), QStringLiteral("1"));
    const QStringList before = desktopValues();
    QFile blocker(home->dataHome() + QStringLiteral("/tessaryn"));
    if (afterTheDrawing) {
        QVERIFY(QDir().mkpath(outputPath() + QStringLiteral("/in the way")));
    } else {
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
    }

    QVERIFY(open(wallpaper));
    QTest::mouseDClick(window(), Qt::LeftButton, {}, pictureCenter());  // a preview
    const QImage previewed = form->wallpaperView->surface()->image().copy();
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(450, 330));

    QCOMPARE(int(messages.shown.size()), 1);
    QCOMPARE(messages.shown[0].title, kTitle);
    QVERIFY2(messages.shown[0].prompt.contains(reason), qPrintable(messages.shown[0].prompt));
    QVERIFY(messages.shown[0].prompt.contains(QStringLiteral("nothing was changed")));
    QVERIFY(!messages.shown[0].busyPointer);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QCOMPARE(desktopValues(), before);
    QCOMPARE(settings.picture, QStringLiteral("/old/wallpaper.bmp"));
    QVERIFY(form->isVisible());
    // The window is as it was: the preview still shows, and the picture
    // under it is still the bare wallpaper (a new preview elsewhere leaves
    // no trace of this one).
    QCOMPARE(differingPixels(form->wallpaperView->surface()->image(), previewed), 0LL);
    QCOMPARE(differingPixels(form->wallpaperView->surface()->picture(), wallpaper), 0LL);

    // With the folder back, the same window finishes.
    QVERIFY(afterTheDrawing ? QDir(outputPath()).removeRecursively() : blocker.remove());
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(450, 330));
    QCOMPARE(int(messages.shown.size()), 1);
    QCOMPARE(differingPixels(QImage(outputPath()), previewed), 0LL);
    QCOMPARE(settings.picture, outputPath());
}

void PlacementWindowTest::aDesktopThatRefusesIsToldAfterTheFileIsWritten() {
    const MessageRecorder& messages = fakes->messages;
    RefusingDesktop refusing;
    fakes->desktop = &refusing;
    QVERIFY(open(wallpaper));
    QSignalSpy closed(form.data(), &PlacementWindow::closed);
    QTest::mouseDClick(window(), Qt::LeftButton, {}, QPoint(450, 330));

    QCOMPARE(int(messages.shown.size()), 1);
    QCOMPARE(messages.shown[0].title, kTitle);
    QVERIFY2(messages.shown[0].prompt.contains(QStringLiteral("The desktop is busy")),
             qPrintable(messages.shown[0].prompt));
    QVERIFY(messages.shown[0].prompt.contains(outputPath()));
    QCOMPARE(closed.count(), 1);
    QCOMPARE(differingPixels(QImage(outputPath()), wallpaper), 0LL);
    QCOMPARE(settings.picture, outputPath());
    const QStringList values = desktopValues();
    QVERIFY(values.contains(QStringLiteral("TileWallpaper=0")));
    QVERIFY(values.contains(QStringLiteral("WallpaperOriginX=12")));
}

QTEST_MAIN(PlacementWindowTest)
#include "PlacementWindowTest.moc"
