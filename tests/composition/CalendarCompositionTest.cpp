// Calendars drawn on the picture itself, as the placement's preview and
// finish draw them: the pixels composeCalendars gives, on the picture's own
// memory, and taken off again to the last pixel.
#include <gtest/gtest.h>

#include "composition/CalendarComposition.h"
#include "toolkit/CoveredPixels.h"
#include "toolkit/Units.h"

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

}  // namespace
