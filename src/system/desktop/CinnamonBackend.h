#pragma once
// Cinnamon: org.cinnamon.desktop.background, a picture URI.

#include "system/desktop/GSettingsDesktop.h"

namespace desktop {

class CinnamonBackend : public GSettingsDesktop {
public:
    explicit CinnamonBackend(DesktopContext context)
        : GSettingsDesktop(std::move(context), {QStringLiteral("cinnamon"),
                                                QStringLiteral("org.cinnamon.desktop.background"),
                                                QStringLiteral("picture-uri"),
                                                true,
                                                {},
                                                {},
                                                false}) {}
};

}  // namespace desktop
