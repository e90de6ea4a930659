#pragma once
// GNOME (and desktops built on its settings): org.gnome.desktop.background,
// with a second picture for the dark colour scheme.

#include "system/desktop/GSettingsDesktop.h"

namespace desktop {

class GnomeBackend : public GSettingsDesktop {
public:
    explicit GnomeBackend(DesktopContext context)
        : GSettingsDesktop(std::move(context),
                           {QStringLiteral("gnome"), QStringLiteral("org.gnome.desktop.background"),
                            QStringLiteral("picture-uri"), true, QStringLiteral("picture-uri-dark"),
                            QStringLiteral("org.gnome.desktop.interface"), true}) {}
};

}  // namespace desktop
