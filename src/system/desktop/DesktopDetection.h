#pragma once
// Which desktop this session runs, from its environment alone: TESSARYN_DESKTOP
// when set, else what the session says about itself.

#include <QString>
#include <QStringList>

#include "system/desktop/SessionEnvironment.h"

namespace desktop {

// Every backend name TESSARYN_DESKTOP accepts, "none" first.
const QStringList& knownDesktops();

struct Detection {
    QString name;     // one of knownDesktops()
    QString warning;  // for stderr, when TESSARYN_DESKTOP names no known desktop
    // "none" because nothing was found (or TESSARYN_DESKTOP named no known
    // desktop), not because the user chose it.
    bool fellBack = false;
};

// In this order: TESSARYN_DESKTOP; the items of XDG_CURRENT_DESKTOP; then
// DESKTOP_SESSION and KDE_FULL_SESSION; then the sway, Hyprland and i3
// sockets; then feh, nitrogen or xwallpaper on a bare X11 session; else "none".
Detection detectDesktop(const SessionEnvironment& env);

}  // namespace desktop
