// Calendars drawn on the picture itself, as the placement's preview and
// finish draw them: the pixels composeCalendars gives, on the picture's own
// memory, and taken off again to the last pixel.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "composition/CalendarComposition.h"
#include "composition/ComposeInRows.h"
#include "toolkit/CoveredPixels.h"
#include "toolkit/Units.h"
#include "toolkit/picture/PictureFile.h"

namespace {

TEST(CalendarComposition, DrawnInPlaceAndTakenOffAgain) {
    tk::overrideDpi(96);
    QImage picture(2000, 1200, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, qRgb(x * 7 % 256, y * 13 % 256, (x ^ y) % 256));
        }
    }
    picture.setDotsPerMeterX(3780);  // 96 dpi, as a loaded wallpaper has it
    picture.setDotsPerMeterY(3780);
    const composition::PlacedCalendar small{QPointF(1200.5, 700.25), 16,
                                            QStringLiteral("DejaVu Sans")};
    composition::PlacedCalendar large = small;  // its text is drawn from renderings
    large.at = QPointF(100, 80);
    large.fontPixels = 45;
    composition::PlacedCalendar squashed = small;
    squashed.kx = 1.25;
    squashed.ky = 0.8;
    for (const auto& calendars : {std::vector{small}, std::vector{large, squashed}}) {
        const QImage original = picture.copy();
        const QImage expected = composition::composeCalendars(original, calendars);
        const uchar* pixels = picture.constBits();
        tk::CoveredPixels covered;
        ASSERT_TRUE(composition::drawCalendarsOn(picture, calendars, covered));
        EXPECT_EQ(picture.constBits(), pixels);
        EXPECT_TRUE(picture == expected);
        EXPECT_FALSE(picture == original);
        EXPECT_LT(covered.bytes(), original.sizeInBytes() / 3);
        covered.restore(picture);
        EXPECT_TRUE(picture == original);
        EXPECT_TRUE(covered.isEmpty());
    }
    tk::overrideDpi(0);
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A bitmap read only in the rows the calendars reach gives the file that
// loading, drawing and saving the whole picture gives.
TEST(CalendarComposition, ComposedInRowsAsOnTheWholePicture) {
    tk::overrideDpi(96);
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("base.bmp"));
    QImage picture(1500, 1000, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixel(x, y, qRgb(x * 5 % 256, y * 11 % 256, (x + y) % 256));
        }
    }
    ASSERT_TRUE(tk::SavePictureAsBitmap(picture, base).ok);
    const tk::LoadedPicture loaded = tk::LoadPicture(base);
    const composition::PlacedCalendar middle{QPointF(700.5, 400.25), 18,
                                             QStringLiteral("DejaVu Sans"), true, true};
    composition::PlacedCalendar top = middle;  // partly above the picture
    top.at = QPointF(-30, -40);
    top.fontPixels = 40;
    composition::PlacedCalendar bottom = middle;  // partly below it
    bottom.at = QPointF(1300, 950);
    const QString out = dir.filePath(QStringLiteral("out.bmp"));
    const QString whole = dir.filePath(QStringLiteral("whole.bmp"));
    for (const auto& calendars : {std::vector{middle}, std::vector{top, bottom}}) {
        ASSERT_TRUE(composition::composeInRows(base, calendars, out, loaded.contentHash).done);
        ASSERT_TRUE(tk::SavePictureAsBitmap(
                        composition::composeCalendars(loaded.image.copy(), calendars), whole)
                        .ok);
        EXPECT_EQ(bytesOf(out), bytesOf(whole));
    }
    // Not so: a calendar squashed for the desktop, or a file other than expected.
    composition::PlacedCalendar squashed = middle;
    squashed.kx = 1.25;
    QFile::remove(out);
    EXPECT_FALSE(composition::composeInRows(base, {squashed}, out).done);
    EXPECT_FALSE(composition::composeInRows(base, {middle}, out, "0123").done);
    EXPECT_FALSE(QFile::exists(out));
    tk::overrideDpi(0);
}

}  // namespace
