#include "calendar/MonthDrawing.h"

#include <QLocale>

#include "toolkit/Colors.h"
#include "toolkit/DrawingSurface.h"
#include "toolkit/Rounding.h"

namespace calendar {

namespace {

const std::array<QString, 7> kWeekdayLabels{
    QStringLiteral("Su"), QStringLiteral("Mo"), QStringLiteral("Tu"), QStringLiteral("We"),
    QStringLiteral("Th"), QStringLiteral("Fr"), QStringLiteral("Sa")};

// One pass over the month: every text moved down and right by `offset`
// points, in the title's colour or its column's.
struct Pass {
    double offset;
    QColor title;
    std::array<QColor, 7> columns;
};

void drawPass(tk::DrawingSurface& surface, QPointF topLeft, QDate first, const Pass& pass) {
    const double x0 = topLeft.x();
    const double y0 = topLeft.y();
    const double d = pass.offset;
    const double f = surface.font().pointSizeF();
    const double w = surface.textWidth(QStringLiteral("3"));  // one digit slot
    // Column 0 is Sunday.
    const int firstColumn = first.dayOfWeek() % 7;
    const int days = first.daysInMonth();

    surface.drawText({x0 + f + d, y0 + d}, monthTitle(first), pass.title);
    for (int i = 0; i <= 5; ++i) {
        for (int j = 0; j <= 6; ++j) {
            const QColor& color = pass.columns[static_cast<size_t>(j)];
            const double left = x0 + (2 * j + 1) * f + d;
            if (i == 0) {
                surface.drawText({left, y0 + 2 * f + d}, kWeekdayLabels[static_cast<size_t>(j)],
                                 color);
            }
            const int n = 7 * i + j - firstColumn;
            if (n >= 0 && n < days) {
                // Two fixed slots one digit wide, so 6 lines up with the 7 of 27.
                const QString number = QStringLiteral("  ") + QString::number(n + 1);
                const double top = y0 + (i + 3) * f + d;
                surface.drawText({left, top}, number.right(2).left(1), color);
                surface.drawText({left + w, top}, number.right(1), color);
            }
        }
    }
}

}  // namespace

CalendarStyle styleFor(const QFont& font, const std::array<int32_t, 4>& colors,
                       const QPalette& palette) {
    return {font,
            tk::resolveColor(colors[0], palette),
            tk::resolveColor(colors[1], palette),
            tk::resolveColor(colors[2], palette),
            tk::resolveColor(colors[3], palette),
            tk::resolveColor(tk::SystemColors::GrayText, palette)};
}

QDate firstOfMonth(int year, int month) {
    const int months = year * 12 + (month - 1);
    const int y = months >= 0 ? months / 12 : (months - 11) / 12;
    return {y, months - y * 12 + 1, 1};
}

QString monthTitle(QDate month) {
    return QLocale().standaloneMonthName(month.month(), QLocale::LongFormat) + u' ' +
           QStringLiteral("%1").arg(month.year(), 4, 10, QLatin1Char('0'));
}

void drawMonth(tk::DrawingSurface& surface, QPointF topLeft, QDate day,
               const CalendarStyle& style) {
    surface.setFont(style.font);
    const QDate first(day.year(), day.month(), 1);
    // The shadow offset grows with the font size: 1 point up to 9.5, then one
    // more for every 10 points.
    const int32_t s = tk::roundToInt32(style.font.pointSizeF()) / 10 + 1;
    const QColor& shadow = style.shadow;
    drawPass(surface, topLeft, first,
             {double(s), shadow, {shadow, shadow, shadow, shadow, shadow, shadow, shadow}});
    const QColor& weekday = style.weekday;
    drawPass(surface, topLeft, first,
             {0,
              style.title,
              {style.sunday, weekday, weekday, weekday, weekday, weekday, style.saturday}});
}

}  // namespace calendar
