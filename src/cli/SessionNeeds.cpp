#include "cli/SessionNeeds.h"
#include "toolkit/Translations.h"

#include <QStringList>

namespace cli {

using tk::Text;

QString missingForDesktop(const QString& name, const desktop::SessionEnvironment& env) {
    const QString n = name.toLower();
    static const QStringList x11{QStringLiteral("feh"), QStringLiteral("nitrogen"),
                                 QStringLiteral("xwallpaper")};
    static const QStringList bus{QStringLiteral("gnome"), QStringLiteral("cinnamon"),
                                 QStringLiteral("mate"), QStringLiteral("xfce"),
                                 QStringLiteral("kde")};
    static const QStringList fileManager{QStringLiteral("lxde"), QStringLiteral("lxqt")};
    if (x11.contains(n) && !env.has(QStringLiteral("DISPLAY"))) {
        return Text::tr("no X display (DISPLAY is not set)");
    }
    if (bus.contains(n) && env.sessionBusAddress().isEmpty()) {
        return Text::tr("no D-Bus session bus (DBUS_SESSION_BUS_ADDRESS is not set)");
    }
    if (fileManager.contains(n) && !env.has(QStringLiteral("DISPLAY")) &&
        !env.has(QStringLiteral("WAYLAND_DISPLAY"))) {
        return Text::tr("no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    }
    if (n == QStringLiteral("sway") && !env.has(QStringLiteral("SWAYSOCK"))) {
        return Text::tr("no sway session (SWAYSOCK is not set)");
    }
    if (n == QStringLiteral("hyprland") &&
        !env.has(QStringLiteral("HYPRLAND_INSTANCE_SIGNATURE"))) {
        return Text::tr("no Hyprland session (HYPRLAND_INSTANCE_SIGNATURE is not set)");
    }
    return {};
}

}  // namespace cli
