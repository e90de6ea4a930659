// The arithmetic of "Drag Calendar": the size check, the size a drawing is
// rendered at, and the drag's grab point, outline and drop.
#include <gtest/gtest.h>

#include <cmath>

#include "composition/WallpaperGeometry.h"
#include "placement/DragTrack.h"
#include "placement/PlacementRules.h"
#include "toolkit/Units.h"

namespace {

using placement::calendarFitsShown;
using placement::DragTrack;

// ---------------------------------------------------------------------------
// Size check, in device pixels: equal sizes fit, one pixel more does not.

TEST(CalendarFitsShown, EqualFitsOneMoreDoesNot) {
    EXPECT_TRUE(calendarFitsShown({306, 162}, {306, 162}));
    EXPECT_TRUE(calendarFitsShown({306, 162}, {800, 600}));
    EXPECT_FALSE(calendarFitsShown({307, 162}, {306, 600}));
    EXPECT_FALSE(calendarFitsShown({306, 163}, {800, 162}));
    // A preview of 304.8 logical pixels at ratio 1.25 is 381 device pixels.
    EXPECT_TRUE(calendarFitsShown(QSizeF(304.8, 160) * 1.25, {381, 200}));
}

TEST(PictureTarget, DrawingsAreRenderedAtTheSizeTheModeShows) {
    const composition::Monitor monitor{QRect(0, 0, 960, 540), 2};
    const QRect span(0, 0, 3840, 1080);
    using desktop::PictureMode;
    using Fit = tk::PictureTarget::Fit;
    EXPECT_EQ(placement::pictureTarget(PictureMode::Zoom, monitor, span).fit, Fit::Cover);
    EXPECT_EQ(placement::pictureTarget(PictureMode::Zoom, monitor, span).monitor,
              QSize(1920, 1080));
    EXPECT_EQ(placement::pictureTarget(PictureMode::Scaled, monitor, span).fit, Fit::Contain);
    EXPECT_EQ(placement::pictureTarget(PictureMode::Stretched, monitor, span).fit, Fit::Stretch);
    EXPECT_EQ(placement::pictureTarget(PictureMode::Centered, monitor, span).fit, Fit::Natural);
    EXPECT_EQ(placement::pictureTarget(PictureMode::Spanned, monitor, span).monitor,
              QSize(3840, 1080));
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
