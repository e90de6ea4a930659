// The arithmetic of "Drag Calendar": the size check, the window's place on
// the screen, and the drag's grab point, outline and drop.
#include <gtest/gtest.h>

#include <cmath>

#include "placement/DragTrack.h"
#include "placement/PlacementRules.h"
#include "toolkit/Units.h"

namespace {

using placement::calendarFits;
using placement::WallpaperPlace;
using placement::windowPositionTwips;

// ---------------------------------------------------------------------------
// Size check: the preview in millimetres against the picture in 0.01 mm, both
// derived from pixel sizes at a resolution, as the program derives them.

struct FitCase {
    const char* name;
    double dpi;
    int previewW, previewH;  // pixels
    int pictureW, pictureH;  // pixels
    bool fits;
};

class CalendarFitsTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(CalendarFitsTest, ComparesMillimetresTimes100WithHimetric) {
    const FitCase& c = GetParam();
    tk::overrideDpi(c.dpi);
    const double mmW = c.previewW / tk::pixelsPerUnitX(tk::vbMillimeters);
    const double mmH = c.previewH / tk::pixelsPerUnitY(tk::vbMillimeters);
    EXPECT_EQ(calendarFits(mmW, mmH, tk::pixelsToHimetricX(c.pictureW),
                           tk::pixelsToHimetricY(c.pictureH)),
              c.fits);
    tk::overrideDpi(0);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, CalendarFitsTest,
    ::testing::Values(FitCase{"EqualAt96", 96, 301, 145, 301, 145, true},
                      FitCase{"EqualOddAt96", 96, 299, 147, 299, 147, true},
                      FitCase{"EqualAt120", 120, 377, 181, 377, 181, true},
                      FitCase{"EqualAt144", 144, 451, 217, 451, 217, true},
                      FitCase{"EqualAt72", 72, 225, 109, 225, 109, true},
                      FitCase{"LargerBothWays", 96, 301, 145, 1920, 1080, true},
                      FitCase{"OnePixelNarrower", 96, 301, 145, 300, 1080, false},
                      FitCase{"OnePixelLower", 96, 301, 145, 1920, 144, false},
                      FitCase{"WiderButLower", 96, 301, 145, 4000, 100, false},
                      FitCase{"HigherButNarrower", 96, 301, 145, 100, 4000, false}),
    [](const auto& tc) { return std::string(tc.param.name); });

// Equal sizes must fit for every size, not only for the handful above: the
// millimetre value times 100 and the 0.01 mm value are computed differently.
TEST(CalendarFits, EverySizeFitsOnAPictureOfItsOwnSize) {
    for (double dpi : {72.0, 96.0, 120.0, 144.0, 192.0}) {
        tk::overrideDpi(dpi);
        for (int px = 1; px <= 4000; ++px) {
            const double mm = px / tk::pixelsPerUnitX(tk::vbMillimeters);
            const double him = tk::pixelsToHimetricX(px);
            ASSERT_TRUE(calendarFits(mm, mm, him, him)) << px << " px at " << dpi << " dpi";
            ASSERT_FALSE(calendarFits(mm, mm, tk::pixelsToHimetricX(px - 1), him))
                << px << " px at " << dpi << " dpi";
        }
    }
    tk::overrideDpi(0);
}

// ---------------------------------------------------------------------------
// The window's place in twips.

struct SpotCase {
    const char* name;
    int32_t originX, originY;
    int16_t tile;
    float screenW, screenH, formW, formH;  // twips
    int leftTwips, topTwips;
};

class WindowPositionTest : public ::testing::TestWithParam<SpotCase> {};

TEST_P(WindowPositionTest, PutsTheWindowOverTheWallpaper) {
    const SpotCase& c = GetParam();
    WallpaperPlace place;
    place.originX = c.originX;
    place.originY = c.originY;
    place.tile = c.tile;
    place.twipsPerPixelX = 15;
    place.twipsPerPixelY = 15;
    const auto spot = windowPositionTwips(place, c.screenW, c.screenH, c.formW, c.formH);
    ASSERT_TRUE(spot.has_value());
    EXPECT_EQ(spot->x(), c.leftTwips);
    EXPECT_EQ(spot->y(), c.topTwips);
}

INSTANTIATE_TEST_SUITE_P(
    Places, WindowPositionTest,
    ::testing::Values(
        // Tiled at 0, 0: the screen's corner, not the centre.
        SpotCase{"TiledAtZero", 0, 0, 1, 19200, 15360, 12000, 9000, 0, 0},
        // Untiled with an origin: the origin in twips.
        SpotCase{"UntiledWithOrigin", 100, 50, 0, 19200, 15360, 12000, 9000, 1500, 750},
        SpotCase{"NegativeOrigin", -8, 0, 0, 19200, 15360, 12000, 9000, -120, 0},
        SpotCase{"OriginOnlyY", 0, 3, 0, 19200, 15360, 12000, 9000, 0, 45},
        // Centred: an odd difference of 15 twips gives 7.
        SpotCase{"CentredOdd", 0, 0, 0, 19200, 15360, 19185, 15345, 7, 7},
        SpotCase{"CentredEven", 0, 0, 0, 19200, 15360, 12000, 9000, 3600, 3180},
        // A wallpaper larger than the screen: negative, truncated toward zero.
        SpotCase{"CentredLargerOdd", 0, 0, 0, 19200, 15360, 19215, 15375, -7, -7},
        // The difference goes to the nearest whole twip first, halves to even.
        SpotCase{"CentredHalfToEvenDown", 0, 0, 0, 100.5f, 10.5f, 0, 0, 50, 5},
        SpotCase{"CentredHalfToEvenUp", 0, 0, 0, 101.5f, 11.5f, 0, 0, 51, 6}),
    [](const auto& tc) { return std::string(tc.param.name); });

TEST(WindowPosition, AnOriginBeyond32BitsInTwipsHasNoPlace) {
    WallpaperPlace place;
    place.twipsPerPixelX = 15;
    place.twipsPerPixelY = 15;
    place.originX = 143165577;  // x 15 > 2^31 - 1
    EXPECT_FALSE(windowPositionTwips(place, 19200, 15360, 100, 100).has_value());
    place.originX = 143165576;  // x 15 = 2147483640 still fits
    EXPECT_TRUE(windowPositionTwips(place, 19200, 15360, 100, 100).has_value());
    place.originX = 0;
    place.originY = -143165578;
    EXPECT_FALSE(windowPositionTwips(place, 19200, 15360, 100, 100).has_value());
}

// ---------------------------------------------------------------------------
// The drag.

TEST(DragTrack, DropKeepsThePictureWhereThePointerHeldIt) {
    // Caught 10 points right of and 5 below its corner, dropped at (100, 50).
    const QPointF corner = DragTrack::dropCorner(100, 50, 10, 5);
    EXPECT_FLOAT_EQ(corner.x(), 90);
    EXPECT_FLOAT_EQ(corner.y(), 45);
}

TEST(DragTrack, DropsMayLieOutsideTheWallpaper) {
    const QPointF corner = DragTrack::dropCorner(3, 2, 40.5f, 30.25f);
    EXPECT_FLOAT_EQ(corner.x(), -37.5f);
    EXPECT_FLOAT_EQ(corner.y(), -28.25f);
}

TEST(DragTrack, DifferencesAreSinglePrecision) {
    // 16777217 is not a float: the difference of the two singles is 0.
    const QPointF corner = DragTrack::dropCorner(16777216.0f, 0, 16777216.0f, 0);
    EXPECT_EQ(corner.x(), 0.0);
}

struct OutlineCase {
    double pxPerUnit;
    QPoint pressInControl;  // pixels from the control's outer corner
    QPoint controlCorner;   // control's corner on the screen
    QPoint release;         // pointer on the screen
};

class DragOutlineTest : public ::testing::TestWithParam<OutlineCase> {};

// Where the outline stands at the release is exactly where the drop puts the
// control: what the user sees while dragging is what they get.
TEST_P(DragOutlineTest, OutlineAtTheReleaseIsWhereTheDropPutsTheControl) {
    const OutlineCase& c = GetParam();
    const QPointF ppu(c.pxPerUnit, c.pxPerUnit);
    const QSize size(201, 97);
    const QPoint container(300, 200);  // container's corner on the screen
    DragTrack track(QPointF(c.pressInControl) / c.pxPerUnit, ppu, size);

    // The press itself: the outline covers the control.
    EXPECT_EQ(track.outlineAt(c.controlCorner + c.pressInControl), QRect(c.controlCorner, size));

    const QRect outline = track.outlineAt(c.release);
    EXPECT_EQ(outline.size(), size);
    const QPointF drop = track.toUnits(QPointF(c.release - container));
    const QPointF corner = DragTrack::dropCorner(
        static_cast<float>(drop.x()), static_cast<float>(drop.y()),
        static_cast<float>(track.grab().x()), static_cast<float>(track.grab().y()));
    EXPECT_EQ(container + track.toPixels(corner), outline.topLeft());
}

INSTANTIATE_TEST_SUITE_P(
    Resolutions, DragOutlineTest,
    ::testing::Values(OutlineCase{96.0 / 72, {13, 7}, {300, 200}, {613, 457}},
                      OutlineCase{96.0 / 72, {1, 1}, {350, 260}, {351, 261}},
                      OutlineCase{96.0 / 72, {200, 96}, {300, 200}, {250, 150}},
                      OutlineCase{120.0 / 72, {17, 33}, {310, 210}, {1000, 900}},
                      OutlineCase{144.0 / 72, {5, 9}, {300, 200}, {299, 199}},
                      OutlineCase{1.0, {10, 5}, {300, 200}, {400, 250}}));

}  // namespace
