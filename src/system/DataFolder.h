#pragma once
// Where the program keeps its files: the composed wallpaper "Tessavel.bmp",
// the kept original and the lock of the composition record.

#include <QString>

namespace sys {

// $XDG_DATA_HOME/tessaryn (~/.local/share/tessaryn), created when asked for.
// Whoever writes there reports a folder that could not be made.
QString dataFolder();

}  // namespace sys
