#pragma once
// Where the program's settings file lives.

#include <QString>

namespace sys {

inline constexpr char kIniFileName[] = "Tessaryn.ini";

// Where an installed copy of the program lies: the install's bin directory
// and the home directory whose ~/.local counts as installed.
struct InstallPlaces {
    QString binDir;
    QString home;
};

// The bin directory compiled in from the build's install prefix, and $HOME.
InstallPlaces installPlaces();

// Whether a program whose executable lies in `programDir` is an installed
// copy: `programDir` is the install's bin directory, or lies under /usr, /opt
// or ~/.local (symbolic links resolved).
bool isInstalledCopy(const QString& programDir, const InstallPlaces& places);

// The settings file for a program whose executable lies in `programDir`.
// An installed copy never keeps it beside itself, for root neither: it lives
// in $XDG_CONFIG_HOME/tessaryn/ (~/.config/tessaryn/ when unset). When that
// file does not exist but a "Tessaryn.ini" lies beside an installed copy (the
// place older versions used), it is copied there first, once; the old file
// is never changed.
// Any other copy (a build tree, an unpacked portable folder) uses
// "Tessaryn.ini" beside itself when that directory already holds one or can
// be written, else the file in $XDG_CONFIG_HOME/tessaryn/. The directory is
// created by the first write, not here.
QString settingsFilePath(const QString& programDir, const InstallPlaces& places);
QString settingsFilePath(const QString& programDir);

}  // namespace sys
