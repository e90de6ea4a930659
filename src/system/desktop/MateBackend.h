#pragma once
// MATE: org.mate.background, a plain file name.

#include "system/desktop/GSettingsDesktop.h"

namespace desktop {

class MateBackend : public GSettingsDesktop {
public:
    explicit MateBackend(DesktopContext context)
        : GSettingsDesktop(std::move(context), {QStringLiteral("mate"),
                                                QStringLiteral("org.mate.background"),
                                                QStringLiteral("picture-filename"),
                                                false,
                                                {},
                                                {},
                                                false}) {}
};

}  // namespace desktop
