#pragma once
// What a desktop backend needs from the session before it can apply a
// wallpaper: a refresh started by a timer or at login checks this first and
// says what is missing instead of half doing its work.

#include <QString>

#include "system/desktop/SessionEnvironment.h"

namespace cli {

// Empty when `desktopName`'s backend can work in `env`, else one line
// naming what is missing ("no X display (DISPLAY is not set)").
QString missingForDesktop(const QString& desktopName, const desktop::SessionEnvironment& env);

}  // namespace cli
