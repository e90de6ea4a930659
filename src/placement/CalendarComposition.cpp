#include "placement/CalendarComposition.h"

#include <cmath>
#include <memory>
#include <new>

#include "calendar/MonthCalendar.h"
#include "toolkit/PictureSurface.h"
#include "toolkit/Rounding.h"
#include "toolkit/SerialDate.h"
#include "toolkit/Units.h"

namespace {

QImage drawCalendars(const QImage& wallpaper, const std::vector<PlacedCalendar>& calendars) {
    // Sized by the picture, which it then shares: no wallpaper-sized
    // background is painted first.
    auto surface = std::make_shared<tk::PictureSurface>();
    surface->setAutoSize(true);
    surface->setPicture(wallpaper);
    surface->setScaleMode(tk::Unit::Points);
    // The calendar measures in points; one wallpaper pixel is one screen
    // pixel here, so points and pixels convert at the screen's dpi both ways.
    const double pointsPerPixelX = 1.0 / tk::pixelsPerUnitX(tk::Unit::Points);
    const double pointsPerPixelY = 1.0 / tk::pixelsPerUnitY(tk::Unit::Points);
    for (const PlacedCalendar& c : calendars) {
        QFont font(c.face);
        font.setBold(c.bold);
        font.setItalic(c.italic);
        font.setUnderline(c.underline);
        font.setStrikeOut(c.strikeout);
        surface->setFont(font);
        // Sizes come back from text and through pixel conversions: a size a
        // hair off a whole point would place a few glyph edges differently.
        surface->setFontSize(std::round(c.fontPixels * pointsPerPixelY * 1e6) / 1e6);

        MonthCalendar calendar;
        calendar.setPaper(surface);
        calendar.setFontName(c.face);
        for (int16_t k = 0; k <= 3; ++k) {
            calendar.setFontColor(k, c.colors[static_cast<size_t>(k)]);
        }
        calendar.setStartX(static_cast<float>(c.at.x() * pointsPerPixelX));
        calendar.setStartY(static_cast<float>(c.at.y() * pointsPerPixelY));
        calendar.setDisplayMonth(tk::makeSerialDate(c.year, c.month, 1));
        calendar.Display();
        if (surface->drawingFailed()) {
            return {};
        }
        // The next calendar's Display clears back to the picture: keep this one.
        surface->setPicture(surface->Image());
    }
    return surface->drawingFailed() ? QImage() : surface->Image();
}

}  // namespace

QImage composeCalendars(const QImage& wallpaper, const std::vector<PlacedCalendar>& calendars) {
    if (calendars.empty()) {
        return wallpaper;
    }
    try {
        return drawCalendars(wallpaper, calendars);
    } catch (const std::bad_alloc&) {
        return {};
    } catch (const tk::OverflowError&) {
        return {};  // a size or place beyond what the drawing can take
    }
}
