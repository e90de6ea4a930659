#include "calendar/MonthCalendar.h"

#include "toolkit/Colors.h"
#include "toolkit/MousePointer.h"
#include "toolkit/Rounding.h"
#include "toolkit/Units.h"

namespace {

const std::array<QString, 7> kWeekdayLabels{u"Su"_qs, u"Mo"_qs, u"Tu"_qs, u"We"_qs,
                                            u"Th"_qs, u"Fr"_qs, u"Sa"_qs};

// The busy pointer shows while drawing and goes back to the default
// afterwards, also when a surface operation fails half way.
class BusyPointer {
public:
    BusyPointer() { tk::setMousePointer(tk::PointerShape::Busy); }
    ~BusyPointer() { tk::setMousePointer(tk::PointerShape::Default); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace

MonthCalendar::MonthCalendar(const QDate& today) {
    displayMonth_ = tk::makeSerialDate(today.year(), today.month(), 1);
    PrepareMonth();
}

MonthCalendar::~MonthCalendar() {
    paper_.reset();
}

void MonthCalendar::setFontColor(int16_t index, int32_t color) {
    if (index < 0 || index > 3) {
        throw SubscriptOutOfRange();
    }
    fontColors_[static_cast<size_t>(index)] = color;
}

int32_t MonthCalendar::FontColor(int16_t index) const {
    if (index < 0 || index > 3) {
        throw SubscriptOutOfRange();
    }
    return fontColors_[static_cast<size_t>(index)];
}

void MonthCalendar::setDisplayMonth(tk::SerialDate date) {
    displayMonth_ = date;
    PrepareMonth();
}

void MonthCalendar::PrepareMonth() {
    const tk::Ymd ymd = tk::ymdOf(displayMonth_);
    if (ymd.day != 1) {
        displayMonth_ = tk::makeSerialDate(ymd.year, ymd.month, 1);
    }
    firstWeekday_ = static_cast<int16_t>(tk::Weekday(displayMonth_));
    const tk::SerialDate next = tk::makeSerialDate(ymd.year, ymd.month + 1, 1);
    daysInMonth_ = static_cast<int16_t>(next - tk::makeSerialDate(ymd.year, ymd.month, 1));
}

void MonthCalendar::Display() const {
    const BusyPointer busy;
    if (!paper_) {
        throw ObjectVariableNotSet();
    }
    tk::DrawingSurface& paper = *paper_;
    paper.setScaleMode(tk::Unit::Points);
    // The shadow offset grows with the font size: 1 point up to 9.5, then one
    // more for every 10 points.
    const int32_t s = tk::roundToInt32(paper.fontSize()) / 10 + 1;
    paper.Cls();
    paper.setForeColor(tk::SystemColors::GrayText);
    drawLayout(paper, s, false);
    paper.setForeColor(fontColors_[kindMonth]);
    drawLayout(paper, 0, true);
    paper.setForeColor(fontColors_[kindWeekday]);
}

void MonthCalendar::drawLayout(tk::DrawingSurface& paper, double d, bool colourPass) const {
    const double x0 = startX_;
    const double y0 = startY_;
    const double f = paper.font().pointSizeF();
    const double w = paper.TextWidth(QStringLiteral("3"));  // one digit slot

    paper.setCurrentX(x0 + f + d);
    paper.setCurrentY(y0 + d);
    paper.Print(tk::FormatMonthYear(displayMonth_));

    for (int i = 0; i <= 5; ++i) {
        for (int j = 0; j <= 6; ++j) {
            if (colourPass) {
                const int kind = j == 0 ? kindSunday : (j == 6 ? kindSaturday : kindWeekday);
                paper.setForeColor(fontColors_[static_cast<size_t>(kind)]);
            }
            const double left = x0 + (2 * j + 1) * f + d;
            if (i == 0) {
                paper.setCurrentX(left);
                paper.setCurrentY(y0 + 2 * f + d);
                paper.Print(kWeekdayLabels[static_cast<size_t>(j)]);
            }
            const int n = 7 * i + j - firstWeekday_ + 1;
            if (n >= 0 && n < daysInMonth_) {
                // Two fixed slots one digit wide, so 6 lines up with the 7 of 27.
                const QString number = QStringLiteral("  ") + QString::number(n + 1);
                const double top = y0 + (i + 3) * f + d;
                paper.setCurrentX(left);
                paper.setCurrentY(top);
                paper.Print(number.right(2).left(1));
                paper.setCurrentX(left + w);
                paper.setCurrentY(top);
                paper.Print(number.right(1));
            }
        }
    }
}
