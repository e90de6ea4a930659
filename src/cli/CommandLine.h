#pragma once
// The program's command line: no command opens the window; refresh, restore,
// list, forget and compose work without one. --help and --version need no
// display. Errors: one line on standard error and status 1; bad arguments:
// the usage line and status 2.

#include <QStringList>

namespace cli {

using WindowMain = int (*)(int argc, char** argv);

int runCommandLine(int argc, char** argv, WindowMain window);

// True when the window can be shown: DISPLAY or WAYLAND_DISPLAY is set, or
// the Qt platform asked for (-platform, else QT_QPA_PLATFORM) needs neither.
bool windowHasDisplay(const QStringList& arguments);

}  // namespace cli
