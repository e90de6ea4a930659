#pragma once
// Something the calendar can draw text on: a unit of measure, a font, a text
// colour, a current position, and Print. The picture box is the program's
// one real surface; tests record the calls through their own.

#include <QFont>
#include <QString>
#include <cstdint>

namespace tk {

class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;

    // 1 twips, 2 points, 6 millimetres: the unit of every position and width.
    virtual void setScaleMode(int mode) = 0;
    virtual int scaleMode() const = 0;

    // The current font and its size in points.
    virtual QFont font() const = 0;
    virtual double fontSize() const = 0;

    // Erase what was drawn; the background colour or picture stays. The
    // current position goes back to (0, 0).
    virtual void Cls() = 0;

    // Colour of text drawn from now on: 0x00BBGGRR, or 0x800000nn for the
    // system colour nn.
    virtual void setForeColor(int32_t color) = 0;
    virtual int32_t foreColor() const = 0;

    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;

    // Width of the text in the current font, in the current unit.
    virtual double TextWidth(const QString& text) const = 0;

    // Draw the text with the top of its line at CurrentY, painting only the
    // glyphs. Afterwards CurrentX is 0 and CurrentY is one line lower.
    virtual void Print(const QString& text) = 0;
};

}  // namespace tk
