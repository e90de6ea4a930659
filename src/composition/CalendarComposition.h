#pragma once
// Draws calendars onto a wallpaper at its full resolution. Positions and the
// font size are in wallpaper pixels, so the result does not depend on the
// screen the placement was made on. The placement's finish and the command
// line's refresh and compose all go through here, so they give equal pixels.

#include <QImage>
#include <QPointF>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "toolkit/Translations.h"

namespace tk {
class CoveredPixels;
}

namespace composition {

// Why composeCalendars gave no picture, as the commands and the finish say it.
inline QString drawingFailure() {
    return tk::Text::tr("the calendar could not be drawn: not enough memory for the picture");
}

struct PlacedCalendar {
    QPointF at;             // the calendar's top-left reference corner, wallpaper pixels
    double fontPixels = 0;  // the font's size in wallpaper pixels (points x dpi / 72)
    QString face;           // the face name as the settings file keeps it
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    std::array<int32_t, 4> colors{0, 0, 0, 0};  // title, Sunday, Saturday, weekdays (0x00BBGGRR)
    int year = 2000;
    int month = 1;
    // The desktop's device pixels per wallpaper pixel, across and down, where
    // it stretches the picture unevenly: the calendar is then drawn squashed
    // by 1/kx and 1/ky, so that the desktop shows it as it was placed. Both
    // 1 where the desktop keeps the picture's aspect.
    double kx = 1;
    double ky = 1;

    bool uneven() const;
};

// `wallpaper` with each calendar drawn on it, in order; a null image when
// the drawing failed (out of memory). Drawn on the wallpaper's own pixels
// when the caller moves it in, else on a copy.
QImage composeCalendars(QImage wallpaper, const std::vector<PlacedCalendar>& calendars);

// The calendars drawn on `picture` itself (on a copy of its pixels where
// something else holds them too), the same as composeCalendars draws them.
// `covered` starts afresh and keeps the pixels the drawing may change, as
// they were: covered.restore(picture) takes the calendars off again. False
// when the drawing failed; `picture` is then as it was.
bool drawCalendarsOn(QImage& picture, const std::vector<PlacedCalendar>& calendars,
                     tk::CoveredPixels& covered);

}  // namespace composition
