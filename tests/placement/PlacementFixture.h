#pragma once
// What the placement tests share: the main window's choices, a wallpaper
// whose every pixel differs from its neighbours, the calendar drawn the
// program's way for comparison, and recorders for message boxes, the mouse
// pointer and the desktop's "Control Panel\desktop" values.

#include <QFont>
#include <QImage>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "placement/CalendarChoice.h"
#include "support/FakeServices.h"

namespace tk {
class PictureBox;
}

class FakeChoice : public placement::CalendarChoice {
public:
    int chosenYear = 1998;
    int chosenMonth = 8;
    int32_t colors[4] = {0x00FFFFFF, 0x000000FF, 0x00FF0000, 0x0000FFFF};

    int year() const override { return chosenYear; }
    int month() const override { return chosenMonth; }
    int32_t kindColor(int index) const override { return colors[index]; }
};

// A wallpaper of noise over a gradient: any pixel out of place shows.
QImage makeWallpaper(int width, int height, quint32 seed = 1);

// The font the calendar is drawn in by the tests.
QFont calendarFont();

// `wallpaper` with the calendar of `choice` drawn at (x, y) points, exactly
// as a preview draws it.
QImage wallpaperWithCalendar(const QImage& wallpaper, const FakeChoice& choice, float x, float y);

// A preview box like the main window's, `size` pixels, with a calendar drawn.
std::unique_ptr<tk::PictureBox> makePreview(QSize size, const FakeChoice& choice);

// Counts the pixels that differ, alpha ignored; -1 for different sizes.
long long differingPixels(const QImage& a, const QImage& b, const QRect& area = QRect());

// The offscreen platform has no pointer grab, window masks or stacking, and
// says so at every drag; the widgets' own grab is what the drag relies on.
// Drops those warnings, passes on everything else.
void quietPlatformWarnings();

// The "Control Panel\desktop" values, in a form easy to compare.
QStringList desktopValues();
void setDesktopValue(const QString& name, const QString& value);
