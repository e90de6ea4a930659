#pragma once
// "Drag Calendar": turns the desktop wallpaper and the calendar the preview
// shows into the placement window's starting state, and shows that window
// modally over the wallpaper's place on the screen.

#include <QPointer>

#include "placement/Services.h"

class QWidget;

namespace sys {
struct WallpaperSettings;
}
namespace tk {
class PictureBox;
}

namespace placement {

class CalendarChoice;
class PlacementWindow;

class PlacementStart {
public:
    // `services` goes to the placement window; it must outlive this.
    explicit PlacementStart(const Services& services) : services_(services) {}

    // `preview` is the main window's preview box (its size in millimetres, its
    // font and its image); `choice` gives the month and colours to the window's
    // preview; `settings` receives the desktop wallpaper settings read now (its
    // earlier tiling stands where the desktop's is no number) and goes to the
    // window, which must not outlive it; `owner` is the main window. Returns once
    // the placement window is closed, or at once when there is nothing to place.
    void start(tk::PictureBox& preview, const CalendarChoice& choice,
               sys::WallpaperSettings& settings, QWidget* owner);

    // The placement window while it is loaded (shown, or left hidden by a start
    // that stopped early); nullptr otherwise.
    PlacementWindow* loadedWindow() const;

private:
    // The window is created and loaded the first time it is touched.
    PlacementWindow& window(const CalendarChoice& choice, sys::WallpaperSettings& settings,
                            QWidget* owner);

    Services services_;
    // There is at most one placement window, as it covers the wallpaper's
    // place on the screen. Null once it is destroyed.
    QPointer<PlacementWindow> window_;
};

}  // namespace placement
