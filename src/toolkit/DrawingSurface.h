#pragma once
// Something the calendar can draw text on, measured in points. The picture
// surface is the program's one real surface; tests record the calls through
// their own.

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QString>

namespace tk {

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // The font of the text drawn from now on, and of textWidth.
    virtual void setFont(const QFont& font) = 0;
    virtual QFont font() const = 0;

    // Width of the text in the current font, in points.
    virtual double textWidth(const QString& text) const = 0;

    // Draws the text in `color` with the top-left corner of its line at
    // `topLeft`, in points, painting only the glyphs.
    virtual void drawText(QPointF topLeft, const QString& text, const QColor& color) = 0;
};

}  // namespace tk
