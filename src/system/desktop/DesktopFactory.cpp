#include "system/desktop/DesktopFactory.h"

#include <cstdio>

#include "system/PrintableText.h"
#include "system/desktop/CinnamonBackend.h"
#include "system/desktop/DesktopDetection.h"
#include "system/desktop/FehBackend.h"
#include "system/desktop/GnomeBackend.h"
#include "system/desktop/HyprlandBackend.h"
#include "system/desktop/KdeBackend.h"
#include "system/desktop/LxdeBackend.h"
#include "system/desktop/LxqtBackend.h"
#include "system/desktop/MateBackend.h"
#include "system/desktop/NitrogenBackend.h"
#include "system/desktop/NoneBackend.h"
#include "system/desktop/SwayBackend.h"
#include "system/desktop/XfceBackend.h"
#include "system/desktop/XwallpaperBackend.h"

namespace desktop {

std::unique_ptr<DesktopBackend> createDesktopBackend(const QString& name, DesktopContext context) {
    const QString n = name.trimmed().toLower();
    if (n == QStringLiteral("none")) {
        return std::make_unique<NoneBackend>();
    }
    if (n == QStringLiteral("gnome")) {
        return std::make_unique<GnomeBackend>(std::move(context));
    }
    if (n == QStringLiteral("cinnamon")) {
        return std::make_unique<CinnamonBackend>(std::move(context));
    }
    if (n == QStringLiteral("mate")) {
        return std::make_unique<MateBackend>(std::move(context));
    }
    if (n == QStringLiteral("xfce")) {
        return std::make_unique<XfceBackend>(std::move(context));
    }
    if (n == QStringLiteral("kde")) {
        return std::make_unique<KdeBackend>(std::move(context));
    }
    if (n == QStringLiteral("lxqt")) {
        return std::make_unique<LxqtBackend>(std::move(context));
    }
    if (n == QStringLiteral("lxde")) {
        return std::make_unique<LxdeBackend>(std::move(context));
    }
    if (n == QStringLiteral("sway")) {
        return std::make_unique<SwayBackend>(std::move(context));
    }
    if (n == QStringLiteral("hyprland")) {
        return std::make_unique<HyprlandBackend>(std::move(context));
    }
    if (n == QStringLiteral("feh")) {
        return std::make_unique<FehBackend>(std::move(context));
    }
    if (n == QStringLiteral("nitrogen")) {
        return std::make_unique<NitrogenBackend>(std::move(context));
    }
    if (n == QStringLiteral("xwallpaper")) {
        return std::make_unique<XwallpaperBackend>(std::move(context));
    }
    return nullptr;
}

std::unique_ptr<DesktopBackend> desktopFromEnvironment() {
    DesktopContext context;
    const Detection detected = detectDesktop(context.env);
    if (!detected.warning.isEmpty()) {
        std::fprintf(stderr, "tessaryn: %s\n", qPrintable(sys::printable(detected.warning)));
    }
    if (detected.fellBack) {
        return std::make_unique<NoneBackend>(true);
    }
    std::unique_ptr<DesktopBackend> backend =
        createDesktopBackend(detected.name, std::move(context));
    return backend ? std::move(backend) : std::make_unique<NoneBackend>();
}

}  // namespace desktop
