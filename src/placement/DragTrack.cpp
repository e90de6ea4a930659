#include "placement/DragTrack.h"

#include <cmath>

namespace placement {

DragTrack::DragTrack(QPointF grab, QPointF pixelsPerUnit, QSize controlSize)
    : grab_(grab), pixelsPerUnit_(pixelsPerUnit), controlSize_(controlSize) {}

QRect DragTrack::outlineAt(QPoint pointer) const {
    return {pointer - toPixels(grab_), controlSize_};
}

QPointF DragTrack::dropCorner(float x, float y, float grabX, float grabY) {
    const float left = x - grabX;
    const float top = y - grabY;
    return {left, top};
}

QPoint DragTrack::toPixels(QPointF units) const {
    // Whole pixels, halves away from zero: the same both sides of the corner.
    return {static_cast<int>(std::lround(units.x() * pixelsPerUnit_.x())),
            static_cast<int>(std::lround(units.y() * pixelsPerUnit_.y()))};
}

QPointF DragTrack::toUnits(QPointF pixels) const {
    return {pixels.x() / pixelsPerUnit_.x(), pixels.y() / pixelsPerUnit_.y()};
}

}  // namespace placement
