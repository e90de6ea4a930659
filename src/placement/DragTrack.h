#pragma once
// The arithmetic of the manual drag, apart from any events: where the press
// caught the dragged control, where its outline stands while the pointer
// moves, and where a drop puts the control. Positions of the control are in
// its container's unit; the outline and the pointer are in screen pixels.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>

namespace placement {

class DragTrack {
public:
    // `grab`: the press, from the control's outer top-left corner, in the
    // container's unit. `pixelsPerUnit`: of that unit, across and down.
    // `controlSize`: the control's outer size in pixels.
    DragTrack(QPointF grab, QPointF pixelsPerUnit, QSize controlSize);

    QPointF grab() const { return grab_; }

    // The outline's place on the screen while the pointer is at `pointer`:
    // the control's size, kept at the grab point under the pointer.
    QRect outlineAt(QPoint pointer) const;

    // Where a drop at (x, y) puts the control's corner: the pointer minus the
    // grab point, as single-precision differences. No limit applies; the
    // result may lie outside the container.
    static QPointF dropCorner(float x, float y, float grabX, float grabY);

    // A position in the container's unit as whole pixels.
    QPoint toPixels(QPointF units) const;
    QPointF toUnits(QPointF pixels) const;

private:
    QPointF grab_;
    QPointF pixelsPerUnit_;
    QSize controlSize_;
};

}  // namespace placement
