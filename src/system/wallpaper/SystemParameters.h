#pragma once
// The system's wallpaper call. SPI_SETDESKWALLPAPER hands the file and the
// tiling now stored in the hive to the given desktop and, with
// SPIF_UPDATEINIFILE, records the path in the hive's "Wallpaper" value.

#include <QString>
#include <cstdint>

namespace desktop {
class DesktopBackend;
}

namespace sys {

inline constexpr uint32_t SPI_SETDESKWALLPAPER = 20;
inline constexpr uint32_t SPIF_UPDATEINIFILE = 1;
inline constexpr uint32_t SPIF_SENDWININICHANGE = 2;

// pvParam is the zero-terminated path in the locale's charset. Returns 1 on
// success, 0 on failure; `why`, when given, then receives one line for the
// user saying why (on success, what the desktop could not do as asked, or
// nothing).
int32_t SystemParametersInfoA(desktop::DesktopBackend& desktop, uint32_t uiAction, uint32_t uiParam,
                              void* pvParam, uint32_t fWinIni, QString* why = nullptr);

}  // namespace sys
