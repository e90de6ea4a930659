#pragma once
// One month's calendar, drawn as text onto a surface: a title with the
// month's name and year, the weekday labels "Su".."Sa", and the day numbers
// in seven columns, Sunday first. Every text carries a grey drop shadow; the
// title, the Sunday column, the Saturday column and the weekday columns each
// have their own colour. Callers set everything through the properties, then
// call Display.

#include <QDate>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <stdexcept>

#include "toolkit/DrawingSurface.h"
#include "toolkit/SerialDate.h"

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

class MonthCalendar {
public:
    // Shows the month of `today` until another is set.
    explicit MonthCalendar(const QDate& today);
    ~MonthCalendar();
    MonthCalendar(const MonthCalendar&) = delete;
    MonthCalendar& operator=(const MonthCalendar&) = delete;

    void setFontColor(int16_t index, int32_t color);
    int32_t FontColor(int16_t index) const;

    void setFontName(const QString& name) { fontName_ = name; }
    QString FontName() const { return fontName_; }

    void setStartY(float y) { startY_ = y; }
    float StartY() const { return startY_; }
    void setStartX(float x) { startX_ = x; }
    float StartX() const { return startX_; }

    // Clears the surface and draws the month on it.
    void Display() const;

    void setPaper(std::shared_ptr<tk::DrawingSurface> paper) { paper_ = std::move(paper); }
    std::shared_ptr<tk::DrawingSurface> Paper() const { return paper_; }

    // Any date; the calendar keeps the first day of its month.
    void setDisplayMonth(tk::SerialDate date);
    tk::SerialDate DisplayMonth() const { return displayMonth_; }

    // What the month looks like: 1 = Sunday .. 7 = Saturday, and 28..31.
    int16_t FirstWeekday() const { return firstWeekday_; }
    int16_t DaysInMonth() const { return daysInMonth_; }

private:
    void PrepareMonth();
    void drawLayout(tk::DrawingSurface& paper, double d, bool colourPass) const;

    tk::SerialDate displayMonth_ = 0;
    std::shared_ptr<tk::DrawingSurface> paper_;
    int16_t firstWeekday_ = 1;
    int16_t daysInMonth_ = 31;
    float startX_ = 0;
    float startY_ = 0;
    QString fontName_;
    std::array<int32_t, 4> fontColors_{0, 0, 0, 0};
};
