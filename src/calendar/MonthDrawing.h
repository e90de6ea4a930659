#pragma once
// One month's calendar drawn as text: a title with the month's name and
// year, the weekday labels "Su".."Sa", and the day numbers in seven columns,
// Sunday first. Every text carries a drop shadow; the title, the Sunday
// column, the Saturday column and the other weekdays each have their own
// colour.

#include <QColor>
#include <QDate>
#include <QFont>
#include <QPalette>
#include <QPointF>
#include <QString>
#include <array>
#include <cstdint>

namespace tk {
class DrawingSurface;
}

namespace calendar {

struct CalendarStyle {
    // Face, effects and size. The size in points sets the grid: a column is
    // two sizes wide, a row one size high.
    QFont font;
    QColor title;
    QColor sunday;
    QColor saturday;
    QColor weekday;
    QColor shadow;
};

// The style for the program's colour values (0x00BBGGRR, or a system colour
// taken from `palette`) of the title, Sunday, Saturday and weekday text, in
// that order. The shadow is the palette's greyed text.
CalendarStyle styleFor(const QFont& font, const std::array<int32_t, 4>& colors,
                       const QPalette& palette);

// The first day of `month` of `year`; months outside 1..12 roll over into
// the neighbouring years.
QDate firstOfMonth(int year, int month);

// "mmmm yyyy": the month's full stand-alone name in the default locale, a
// space, and the four-digit year.
QString monthTitle(QDate month);

// Draws the month that holds `day`, its top-left corner at `topLeft` in
// points, on top of what the surface shows. The surface takes the style's
// font.
void drawMonth(tk::DrawingSurface& surface, QPointF topLeft, QDate day, const CalendarStyle& style);

}  // namespace calendar
