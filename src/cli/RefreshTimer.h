#pragma once
// tessaryn refresh --enable-timer / --disable-timer: the monthly systemd user
// timer, installed into or removed from the user's own unit directory and
// switched on or off with systemctl --user; --disable-autostart /
// --enable-autostart: the user's override of the login's autostart entry.

namespace cli {

int enableTimer();
int disableTimer();
int disableAutostart();
int enableAutostart();

}  // namespace cli
