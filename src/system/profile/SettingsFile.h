#pragma once
// The program's settings file: where it lives, and the two readers the main
// window uses while it loads. The main window writes it with
// sys::WritePrivateProfileStringA (PrivateProfile.h) into Module1::strIniFile.

#include <QString>
#include <cstdint>

namespace sys {

inline constexpr char kIniFileName[] = "Tessaryn.ini";

// The settings file for a program whose executable lies in `programDir`:
// "Tessaryn.ini" in that directory when it already holds one or can be
// written (a portable copy), otherwise in $XDG_CONFIG_HOME/tessaryn/
// (~/.config/tessaryn/ when unset). The directory is created by the first
// write, not here.
QString settingsFilePath(const QString& programDir);

}  // namespace sys

namespace Module1 {

// The value of `key` in `section` of the file Module1::strIniFile names, at
// most 1023 bytes of it; "" when the file, the section or the key is missing.
QString GetIniString(const QString& section, const QString& key);

// The value as a whole number, halves to the even neighbour; -1 when the
// file, the section or the key is missing, the text is not numeric, or the
// number lies outside the 32-bit range.
int32_t GetIniLong(const QString& section, const QString& key);

}  // namespace Module1
