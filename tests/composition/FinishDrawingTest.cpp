// How a finish draws: onto the loaded picture, as previewed, tiled or not.
#include <gtest/gtest.h>

#include "composition/FinishDrawing.h"

namespace {

using composition::FinishPlan;
using composition::PlacedCalendar;

PlacedCalendar calendarAt(double x, double y) {
    PlacedCalendar c;
    c.at = QPointF(x, y);
    return c;
}

TEST(FinishDrawing, TheOnePreviewedCalendarOnTheLoadedPictureIsDrawnOnItAsPreviewed) {
    FinishPlan plan;
    plan.calendars = {calendarAt(10, 20)};
    const auto d = composition::finishDrawing(plan, calendarAt(10, 20), false);
    EXPECT_TRUE(d.asPreviewed);
    EXPECT_TRUE(d.onLoaded);
    EXPECT_FALSE(d.tiled);

    // Moved since the preview, joined by recorded calendars, or on the kept
    // original: composed afresh.
    EXPECT_FALSE(composition::finishDrawing(plan, calendarAt(11, 20), false).asPreviewed);
    EXPECT_FALSE(composition::finishDrawing(plan, std::nullopt, false).asPreviewed);
    plan.calendars.push_back(calendarAt(300, 40));
    EXPECT_FALSE(composition::finishDrawing(plan, calendarAt(10, 20), false).asPreviewed);
    plan.calendars.pop_back();
    plan.baseIsLoaded = false;
    const auto kept = composition::finishDrawing(plan, calendarAt(10, 20), false);
    EXPECT_FALSE(kept.asPreviewed);
    EXPECT_FALSE(kept.onLoaded);
}

TEST(FinishDrawing, TiledOnlyAsTheOriginalOrABlockOfItsTilesOnADesktopThatTiles) {
    FinishPlan plan;
    EXPECT_TRUE(composition::finishDrawing(plan, std::nullopt, true).tiled);
    plan.layout.size = QSize(600, 400);  // a picture of its own size
    EXPECT_FALSE(composition::finishDrawing(plan, std::nullopt, true).tiled);
    EXPECT_FALSE(composition::finishDrawing(plan, std::nullopt, true).onLoaded);
    plan.layout.tiled = true;  // a block of whole tiles
    EXPECT_TRUE(composition::finishDrawing(plan, std::nullopt, true).tiled);
    EXPECT_FALSE(composition::finishDrawing(plan, std::nullopt, false).tiled);
}

}  // namespace
