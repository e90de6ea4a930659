#pragma once
// One month's calendar, drawn as text onto a surface: a title with the
// month's name and year, the weekday labels "Su".."Sa", and the day numbers
// in seven columns, Sunday first. Every text carries a grey drop shadow; the
// title, the Sunday column, the Saturday column and the weekday columns each
// have their own colour. Callers set everything through the properties, then
// call Display.

#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "toolkit/DrawingSurface.h"
#include "toolkit/VbDate.h"

// The four kinds of calendar text; the index of each colour.
enum CalendarTextKind : int16_t {
    kindMonth = 0,
    kindSunday = 1,
    kindSaturday = 2,
    kindWeekday = 3
};

// Raised for a colour index outside 0..3.
class SubscriptOutOfRange : public std::out_of_range {
public:
    SubscriptOutOfRange() : std::out_of_range("Subscript out of range") {}
};

// Raised when Display has no surface to draw on.
class ObjectVariableNotSet : public std::logic_error {
public:
    ObjectVariableNotSet() : std::logic_error("Object variable not set") {}
};

class cCalendar {
public:
    cCalendar();
    ~cCalendar();
    cCalendar(const cCalendar&) = delete;
    cCalendar& operator=(const cCalendar&) = delete;

    void setFontColor(int16_t index, int32_t color);
    int32_t FontColor(int16_t index) const;

    void setFontName(const QString& name) { strFontName = name; }
    QString FontName() const { return strFontName; }

    void setStartY(float y) { sngStartY = y; }
    float StartY() const { return sngStartY; }
    void setStartX(float x) { sngStartX = x; }
    float StartX() const { return sngStartX; }

    // Clears the surface and draws the month on it.
    void Display() const;

    void setPaper(std::shared_ptr<tk::DrawingSurface> paper) { objPaper = std::move(paper); }
    std::shared_ptr<tk::DrawingSurface> Paper() const { return objPaper; }

    // Any date; the calendar keeps the first day of its month.
    void setDisplayMonth(tk::VbDate date);
    tk::VbDate DisplayMonth() const { return dtDisplayMonth; }

    // What the month looks like: 1 = Sunday .. 7 = Saturday, and 28..31.
    int16_t FirstWeekday() const { return intFirstWeekday; }
    int16_t DaysInMonth() const { return intDaysInMonth; }

private:
    void PrepareMonth();
    void drawLayout(tk::DrawingSurface& paper, double d, bool colourPass) const;

    tk::VbDate dtDisplayMonth = 0;
    std::shared_ptr<tk::DrawingSurface> objPaper;
    int16_t intFirstWeekday = 1;
    int16_t intDaysInMonth = 31;
    float sngStartX = 0;
    float sngStartY = 0;
    QString strFontName;
    std::array<int32_t, 4> lngFontColor{0, 0, 0, 0};
};
