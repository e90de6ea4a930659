#pragma once
// Screens and windows in the window system's own (device) pixels. Qt gives
// them in logical pixels, and at a fractional scale factor those round: a
// monitor 1024 device pixels wide at 1.5 is 683 logical pixels, and a window
// 683 logical pixels wide is 1025 device pixels. On X11 these ask for and set
// the device pixels themselves; elsewhere they tell nothing.

#include <QRect>
#include <optional>

class QScreen;
class QWidget;

namespace tk {

// The screen in device pixels of the virtual screen, as RandR lists its
// monitor; none where the window system does not tell (not X11, or RandR
// older than 1.5).
std::optional<QRect> nativeScreenGeometry(const QScreen* screen);

// Puts the top-level `window` exactly on `device` (device pixels of the
// virtual screen), creating its native window first if need be. False where
// the window system does not allow it. Qt reports the window at the logical
// rectangle nearest to it.
bool setNativeGeometry(QWidget* window, const QRect& device);

}  // namespace tk
