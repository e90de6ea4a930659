#include "system/desktop/NoneBackend.h"

#include "system/desktop/DesktopDetection.h"
#include "toolkit/Translations.h"

namespace desktop {

QString NoneBackend::name() const {
    return QStringLiteral("none");
}

ApplyResult NoneBackend::apply(const QString& /*path*/, bool /*tiled*/) {
    return {true, {}};
}

QString NoneBackend::unseenReason() const {
    if (!undetected_) {
        return {};
    }
    const QStringList names = knownDesktops().mid(1);  // all but "none"
    return tk::Text::tr(
               "no desktop was found to show it, so the screen stays as it was.\n"
               "Name your desktop in the environment variable TESSARYN_DESKTOP (%1 or %2), or "
               "install feh to draw the wallpaper on a plain X session, and start Tessaryn "
               "again.")
        .arg(names.mid(0, names.size() - 1).join(QStringLiteral(", ")), names.last());
}

}  // namespace desktop
