#pragma once
// A drawing surface that records every text the calendar draws, with its
// position and colour, and a month drawn on it in four plain colours.

#include <QString>
#include <vector>

#include "calendar/MonthDrawing.h"
#include "toolkit/DrawingSurface.h"

struct DrawnText {
    QString text;
    double x;
    double y;
    QColor color;
};

class RecordingSurface : public tk::DrawingSurface {
public:
    explicit RecordingSurface(double digitWidth = 7) : digitWidth_(digitWidth) {}

    std::vector<DrawnText> drawn;

    void setFont(const QFont& font) override { font_ = font; }
    QFont font() const override { return font_; }
    double textWidth(const QString& t) const override { return digitWidth_ * t.size(); }
    void drawText(QPointF at, const QString& t, const QColor& color) override {
        drawn.push_back({t, at.x(), at.y(), color});
    }

    // The texts of one pass (first or second half of what was drawn).
    std::vector<DrawnText> pass(int index) const {
        const size_t half = drawn.size() / 2;
        return {drawn.begin() + static_cast<long>(index == 0 ? 0 : half),
                drawn.begin() + static_cast<long>(index == 0 ? half : drawn.size())};
    }

private:
    QFont font_;
    double digitWidth_;
};

inline const QColor kTitle{Qt::white}, kSunday{Qt::red}, kSaturday{Qt::blue}, kWeekday{Qt::yellow},
    kShadow{Qt::gray};

struct Drawn {
    std::vector<DrawnText> shadow, colour;
};

inline Drawn drawRecorded(QDate day, double pointSize = 12, QPointF topLeft = {}) {
    RecordingSurface paper;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(pointSize);
    calendar::drawMonth(paper, topLeft, day, {font, kTitle, kSunday, kSaturday, kWeekday, kShadow});
    return {paper.pass(0), paper.pass(1)};
}
