#include "system/desktop/DesktopDetection.h"

#include <QFileInfo>
#include <QMap>

namespace desktop {

namespace {

// XDG_CURRENT_DESKTOP items and DESKTOP_SESSION names, lower-cased.
QString desktopOfItem(const QString& item) {
    static const QMap<QString, QString> items{
        {QStringLiteral("gnome"), QStringLiteral("gnome")},
        {QStringLiteral("gnome-classic"), QStringLiteral("gnome")},
        {QStringLiteral("gnome-flashback"), QStringLiteral("gnome")},
        {QStringLiteral("unity"), QStringLiteral("gnome")},
        {QStringLiteral("budgie"), QStringLiteral("gnome")},
        {QStringLiteral("budgie-desktop"), QStringLiteral("gnome")},
        {QStringLiteral("pantheon"), QStringLiteral("gnome")},
        {QStringLiteral("x-cinnamon"), QStringLiteral("cinnamon")},
        {QStringLiteral("cinnamon"), QStringLiteral("cinnamon")},
        {QStringLiteral("cinnamon2d"), QStringLiteral("cinnamon")},
        {QStringLiteral("mate"), QStringLiteral("mate")},
        {QStringLiteral("xfce"), QStringLiteral("xfce")},
        {QStringLiteral("xubuntu"), QStringLiteral("xfce")},
        {QStringLiteral("kde"), QStringLiteral("kde")},
        {QStringLiteral("plasma"), QStringLiteral("kde")},
        {QStringLiteral("plasmawayland"), QStringLiteral("kde")},
        {QStringLiteral("plasmax11"), QStringLiteral("kde")},
        {QStringLiteral("kde-plasma"), QStringLiteral("kde")},
        {QStringLiteral("lxqt"), QStringLiteral("lxqt")},
        {QStringLiteral("lxde"), QStringLiteral("lxde")},
        {QStringLiteral("lubuntu"), QStringLiteral("lxqt")},  // LXQt since 18.10
        {QStringLiteral("sway"), QStringLiteral("sway")},
        {QStringLiteral("hyprland"), QStringLiteral("hyprland")},
    };
    return items.value(item.trimmed().toLower());
}

bool isTrue(const QString& v) {
    return v.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0 || v == QStringLiteral("1");
}

// On a plain X server: the tool the user already keeps a setting for,
// otherwise the first one installed.
QString bareX11Tool(const SessionEnvironment& env) {
    const bool feh = !env.findExecutable(QStringLiteral("feh")).isEmpty();
    const bool nitrogen = !env.findExecutable(QStringLiteral("nitrogen")).isEmpty();
    if (feh && QFileInfo::exists(env.home() + QStringLiteral("/.fehbg"))) {
        return QStringLiteral("feh");
    }
    if (nitrogen &&
        QFileInfo::exists(env.configHome() + QStringLiteral("/nitrogen/bg-saved.cfg"))) {
        return QStringLiteral("nitrogen");
    }
    if (feh) {
        return QStringLiteral("feh");
    }
    if (nitrogen) {
        return QStringLiteral("nitrogen");
    }
    if (!env.findExecutable(QStringLiteral("xwallpaper")).isEmpty()) {
        return QStringLiteral("xwallpaper");
    }
    return {};
}

}  // namespace

const QStringList& knownDesktops() {
    static const QStringList names{
        QStringLiteral("none"),      QStringLiteral("gnome"), QStringLiteral("cinnamon"),
        QStringLiteral("mate"),      QStringLiteral("xfce"),  QStringLiteral("kde"),
        QStringLiteral("lxqt"),      QStringLiteral("lxde"),  QStringLiteral("sway"),
        QStringLiteral("hyprland"),  QStringLiteral("feh"),   QStringLiteral("nitrogen"),
        QStringLiteral("xwallpaper")};
    return names;
}

Detection detectDesktop(const SessionEnvironment& env) {
    const QString chosen = env.value(QStringLiteral("TESSARYN_DESKTOP")).trimmed();
    if (!chosen.isEmpty()) {
        const QString name = chosen.toLower();
        if (knownDesktops().contains(name)) {
            return {name, {}};
        }
        return {QStringLiteral("none"),
                QStringLiteral("TESSARYN_DESKTOP=\"%1\" names no known desktop (known: %2); "
                               "the desktop wallpaper will not be changed")
                    .arg(chosen, knownDesktops().join(QStringLiteral(", "))),
                true};
    }

    const QStringList items = env.value(QStringLiteral("XDG_CURRENT_DESKTOP"))
                                  .split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& item : items) {
        const QString name = desktopOfItem(item);
        if (!name.isEmpty()) {
            return {name, {}};
        }
    }

    // Display managers may give a session file's path here.
    const QString session = QFileInfo(env.value(QStringLiteral("DESKTOP_SESSION"))).fileName();
    QString name = desktopOfItem(session);
    if (name.isEmpty() && session.toLower().startsWith(QStringLiteral("gnome"))) {
        name = QStringLiteral("gnome");
    }
    if (name.isEmpty() && session.toLower().startsWith(QStringLiteral("plasma"))) {
        name = QStringLiteral("kde");
    }
    if (!name.isEmpty()) {
        return {name, {}};
    }
    if (isTrue(env.value(QStringLiteral("KDE_FULL_SESSION")))) {
        return {QStringLiteral("kde"), {}};
    }

    if (env.has(QStringLiteral("SWAYSOCK"))) {
        return {QStringLiteral("sway"), {}};
    }
    if (env.has(QStringLiteral("HYPRLAND_INSTANCE_SIGNATURE"))) {
        return {QStringLiteral("hyprland"), {}};
    }
    // sway sets I3SOCK too; on Wayland it can only be sway, on X11 it is i3,
    // which leaves the root window to feh and its kind.
    const bool wayland = env.has(QStringLiteral("WAYLAND_DISPLAY"));
    if (env.has(QStringLiteral("I3SOCK")) && wayland) {
        return {QStringLiteral("sway"), {}};
    }

    if (env.has(QStringLiteral("DISPLAY")) && !wayland) {
        const QString tool = bareX11Tool(env);
        if (!tool.isEmpty()) {
            return {tool, {}};
        }
    }
    return {QStringLiteral("none"), {}, true};
}

}  // namespace desktop
