#include "composition/FinishDrawing.h"

namespace composition {

FinishDrawing finishDrawing(const FinishPlan& plan, const std::optional<PlacedCalendar>& preview,
                            bool desktopTiles) {
    FinishDrawing d;
    d.asPreviewed = plan.baseIsLoaded && preview && plan.calendars.size() == 1 &&
                    plan.calendars.front().at == preview->at;
    d.onLoaded = plan.baseIsLoaded && plan.layout.isOriginal();
    d.tiled = desktopTiles && (plan.layout.isOriginal() || plan.layout.tiled);
    return d;
}

}  // namespace composition
