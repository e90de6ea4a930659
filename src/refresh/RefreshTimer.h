#pragma once
// tessaryn refresh --enable-timer / --disable-timer: the monthly systemd user
// timer, installed into or removed from the user's own unit directory and
// switched on or off with systemctl --user.

namespace refresh {

int enableTimer();
int disableTimer();

}  // namespace refresh
