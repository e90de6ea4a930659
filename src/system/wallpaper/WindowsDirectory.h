#pragma once
// The Windows directory, where the composed wallpaper "Tessavel.bmp" is
// kept: $XDG_DATA_HOME/tessaryn (~/.local/share/tessaryn when unset),
// created when first asked for.

#include <QString>
#include <cstdint>

namespace sys {

// Copies the directory, in the locale's charset and zero-terminated, into
// `lpBuffer` and returns its length without the zero. When `uSize` bytes are
// too few, the buffer is left alone and the size needed (with the zero) is
// returned.
uint32_t GetWindowsDirectoryA(char* lpBuffer, uint32_t uSize);

// The same directory as text.
QString windowsDirectory();

}  // namespace sys
