// What the placement's finish records, driven by real mouse events on the
// offscreen platform: the calendar it drew, in wallpaper pixels, so that
// composing the recorded calendars onto the kept original gives the finish's
// very pixels (at 96 and at 120 dpi); a second placement on our own output
// joins the record; our output is never taken as an original; a picture
// that is no plain raster file is kept as the placement rendered it.
#include <QDate>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QtTest>

#include "PlacementFixture.h"
#include "composition/CompositionRecord.h"
#include "composition/FinishRecord.h"
#include "placement/PlacementWindow.h"
#include "support/TempHome.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Units.h"
#include "toolkit/picture/PictureFile.h"

using placement::PlacementWindow;

using composition::ReadResult;

namespace {

// A desktop known by its name alone.
class NamedDesktop : public desktop::NoneBackend {
public:
    explicit NamedDesktop(QString name) : name_(std::move(name)) {}
    QString name() const override { return name_; }

private:
    QString name_;
};

// A finish without the window, as the window makes it.
composition::FinishPlan recordFinish(const QString& path, const QImage& loaded,
                                     const QString& desktopName) {
    NamedDesktop desktop(desktopName);
    composition::FinishPlan plan =
        composition::planFinish(path, loaded, {}, desktop, std::nullopt, false);
    if (plan.recorded) {
        plan.recorded =
            composition::beginFinish(plan).isEmpty() && composition::completeFinish(plan).isEmpty();
    }
    return plan;
}

}  // namespace

class FinishRecordTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { quietPlatformWarnings(); }
    void init();
    void cleanup();

    void composingTheRecordGivesTheFinishsPixels_data();
    void composingTheRecordGivesTheFinishsPixels();
    void aPlacementOnOurOutputJoinsTheRecord();
    void ourOutputWithoutARecordIsNeverAnOriginal();
    void aVectorPictureIsKeptAsRendered();

private:
    // Opens the window on `wall` (named `path`), drags the picture's corner
    // to `corner`, previews, and finishes.
    void placeAndFinish(const QImage& wall, const QString& path, QPoint corner);
    QString outputPath() const {
        return home->dataHome() + QStringLiteral("/tessaryn/Tessavel.bmp");
    }

    std::unique_ptr<TempHome> home;
    FakeChoice choice;
    sys::WallpaperSettings settings;  // the placement's start
    FakeServices fakes;
    QPointer<PlacementWindow> form;
};

void FinishRecordTest::init() {
    home = std::make_unique<TempHome>();
    settings = {};
}

void FinishRecordTest::cleanup() {
    if (form) {
        form->closeWindow();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    tk::overrideDpi(0);
    home.reset();
}

void FinishRecordTest::placeAndFinish(const QImage& wall, const QString& path, QPoint corner) {
    settings.picture = path;
    form = new PlacementWindow(choice, settings, fakes.services());
    form->wallpaperView->surface()->setFont(calendarFont());
    form->wallpaperView->setPicture(wall);
    form->wallpaperView->move(0, 0);
    form->resize(form->wallpaperView->size());
    form->calendarPicture->setPicture(
        makePreview(QSize(301, 145), choice)->surface()->image().copy());
    form->calendarPicture->move(0, 0);
    form->move(0, 0);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QWindow* w = form->windowHandle();
    QTest::mousePress(w, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(w, Qt::LeftButton, {}, corner + QPoint(5, 5));
    QCOMPARE(form->calendarPicture->pos(), corner);
    QTest::mouseDClick(w, Qt::LeftButton, {}, corner + QPoint(40, 40));  // preview
    QTest::mouseDClick(w, Qt::LeftButton, {}, QPoint(wall.width() - 3, wall.height() - 3));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(form.isNull());
}

void FinishRecordTest::composingTheRecordGivesTheFinishsPixels_data() {
    QTest::addColumn<int>("dpi");
    QTest::newRow("96 dpi") << 96;
    QTest::newRow("120 dpi") << 120;
}

void FinishRecordTest::composingTheRecordGivesTheFinishsPixels() {
    QFETCH(int, dpi);
    tk::overrideDpi(dpi);
    const QImage wall = makeWallpaper(560, 400, 7);
    const QString path = home->root() + QStringLiteral("/wall.png");
    QVERIFY(wall.save(path));
    choice.chosenYear = QDate::currentDate().year() + 1;
    choice.chosenMonth = 2;
    placeAndFinish(wall, path, QPoint(37, 51));

    const ReadResult r = composition::readRecord();
    QCOMPARE(int(r.state), int(ReadResult::State::Ok));
    const composition::Record& rec = r.record;
    QCOMPARE(rec.original, path);
    QCOMPARE(rec.desktop, QStringLiteral("none"));
    QCOMPARE(rec.output, outputPath());
    QCOMPARE(rec.calendars.size(), size_t{1});
    const composition::RecordedCalendar& c = rec.calendars[0];
    // The calendar starts inside the picture's 1-px border.
    QCOMPARE(c.look.at, QPointF(38, 52));
    QCOMPARE(c.look.fontPixels, calendarFont().pointSizeF() * dpi / 72.0);
    QVERIFY(c.look.bold);
    const QDate today = QDate::currentDate();
    QCOMPARE(c.placedIn, composition::monthIndex(today.year(), today.month()));
    QCOMPARE(c.placedIn + c.offset, composition::monthIndex(today.year() + 1, 2));
    QFile kept(rec.kept);
    QFile given(path);
    QVERIFY(kept.open(QIODevice::ReadOnly) && given.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), given.readAll());
    QVERIFY(composition::keptCopyProblem(rec).isEmpty());

    const tk::LoadedPicture original = tk::LoadPicture(rec.kept);
    QVERIFY(original.ok());
    const QImage composed = composition::composeCalendars(original.image, {c.forMonth(c.placedIn)});
    const tk::LoadedPicture finished = tk::LoadPicture(outputPath());
    QCOMPARE(differingPixels(composed, finished.image), 0LL);
    QVERIFY(differingPixels(wall, finished.image) > 1000);
}

void FinishRecordTest::aPlacementOnOurOutputJoinsTheRecord() {
    const QImage wall = makeWallpaper(560, 400, 3);
    const QString path = home->root() + QStringLiteral("/wall.bmp");
    QVERIFY(tk::SavePictureAsBitmap(wall, path).ok);
    placeAndFinish(wall, path, QPoint(10, 12));
    const QString keptBefore = composition::readRecord().record.kept;

    choice.chosenMonth = 9;
    const tk::LoadedPicture first = tk::LoadPicture(outputPath());
    placeAndFinish(first.image, outputPath(), QPoint(230, 200));

    const ReadResult r = composition::readRecord();
    QCOMPARE(int(r.state), int(ReadResult::State::Ok));
    QCOMPARE(r.record.original, path);
    QCOMPARE(r.record.kept, keptBefore);
    QCOMPARE(r.record.calendars.size(), size_t{2});
    std::vector<composition::PlacedCalendar> both;
    for (const auto& c : r.record.calendars) {
        both.push_back(c.forMonth(c.placedIn));
    }
    QCOMPARE(both[1].at, QPointF(231, 201));
    QCOMPARE(both[1].month, 9);
    const QImage composed =
        composition::composeCalendars(tk::LoadPicture(r.record.kept).image, both);
    QCOMPARE(differingPixels(composed, tk::LoadPicture(outputPath()).image), 0LL);

    // A picture the user chose meanwhile starts a new record.
    const QString other = home->root() + QStringLiteral("/other.png");
    QVERIFY(wall.mirrored().save(other));
    placeAndFinish(wall.mirrored(), other, QPoint(50, 60));
    const ReadResult fresh = composition::readRecord();
    QCOMPARE(fresh.record.original, other);
    QCOMPARE(fresh.record.calendars.size(), size_t{1});
    QVERIFY(!QFile::exists(keptBefore));  // the earlier original.bmp is gone
}

void FinishRecordTest::ourOutputWithoutARecordIsNeverAnOriginal() {
    const QImage wall = makeWallpaper(400, 300, 5);
    QVERIFY(QDir().mkpath(home->dataHome() + QStringLiteral("/tessaryn")));
    QVERIFY(tk::SavePictureAsBitmap(wall, outputPath()).ok);
    const composition::FinishPlan note = recordFinish(outputPath(), wall, QStringLiteral("none"));
    QVERIFY(!note.recorded);
    QVERIFY(note.message.contains(QStringLiteral("without a record")));
    QCOMPARE(int(composition::readRecord().state), int(ReadResult::State::Missing));
    // Nor one of the copies handed to a desktop.
    const QString shown = home->dataHome() + QStringLiteral("/tessaryn/.Tessavel.bmp.shown-2.bmp");
    QVERIFY(composition::isOurOutput(shown));
    QVERIFY(!recordFinish(shown, wall, QStringLiteral("none")).recorded);
}

void FinishRecordTest::aVectorPictureIsKeptAsRendered() {
    const QImage rendered = makeWallpaper(300, 200, 9);
    const QString path = home->root() + QStringLiteral("/wall.svg");
    QFile svg(path);
    QVERIFY(svg.open(QIODevice::WriteOnly));
    svg.write("<svg xmlns='http://www.w3.org/2000/svg' width='300' height='200'/>");
    svg.close();
    QVERIFY(recordFinish(path, rendered, QStringLiteral("gnome")).recorded);
    const composition::Record rec = composition::readRecord().record;
    QCOMPARE(rec.kept, home->dataHome() + QStringLiteral("/tessaryn/original.bmp"));
    QCOMPARE(rec.desktop, QStringLiteral("gnome"));
    QVERIFY(rec.calendars.empty());
    const tk::LoadedPicture kept = tk::LoadPicture(rec.kept);
    QCOMPARE(differingPixels(kept.image, rendered), 0LL);
    QCOMPARE(rec.keptHash, kept.contentHash);  // the hash of the bytes as they were written
}

QTEST_MAIN(FinishRecordTest)
#include "FinishRecordTest.moc"
