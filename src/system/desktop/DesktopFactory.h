#pragma once
// Builds the backend for a desktop name, or the one the session calls for.

#include <QString>
#include <memory>

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"

namespace desktop {

// nullptr for a name knownDesktops() does not list.
std::unique_ptr<DesktopBackend> createDesktopBackend(const QString& name,
                                                     DesktopContext context = {});

// Called once by main: detects the desktop from the program's environment,
// reports an unknown TESSARYN_DESKTOP on stderr, and builds its backend
// ("none" where the name was not usable).
std::unique_ptr<DesktopBackend> desktopFromEnvironment();

}  // namespace desktop
