#include "system/desktop/SessionEnvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "system/XdgFolders.h"

namespace desktop {

SessionEnvironment SessionEnvironment::system() {
    return SessionEnvironment(QProcessEnvironment::systemEnvironment());
}

QString SessionEnvironment::findExecutable(const QString& program) const {
    if (program.contains(QLatin1Char('/'))) {
        const QFileInfo info(program);
        return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
    }
    const QStringList dirs =
        value(QStringLiteral("PATH")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (dirs.isEmpty()) {
        return {};
    }
    return QStandardPaths::findExecutable(program, dirs);
}

QString SessionEnvironment::home() const {
    const QString h = value(QStringLiteral("HOME"));
    return h.isEmpty() ? QDir::homePath() : h;
}

QString SessionEnvironment::configHome() const {
    return sys::xdgFolder(value(QStringLiteral("XDG_CONFIG_HOME")), home(),
                          QStringLiteral(".config"));
}

QStringList SessionEnvironment::configDirs() const {
    const QStringList dirs =
        value(QStringLiteral("XDG_CONFIG_DIRS")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return dirs.isEmpty() ? QStringList{QStringLiteral("/etc/xdg")} : dirs;
}

QString SessionEnvironment::dataHome() const {
    return sys::xdgFolder(value(QStringLiteral("XDG_DATA_HOME")), home(),
                          QStringLiteral(".local/share"));
}

QStringList SessionEnvironment::dataDirs() const {
    QStringList dirs =
        value(QStringLiteral("XDG_DATA_DIRS")).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    if (dirs.isEmpty()) {
        dirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    }
    return QStringList{dataHome()} + dirs;
}

QString SessionEnvironment::runtimeDir() const {
    return value(QStringLiteral("XDG_RUNTIME_DIR"));
}

QString SessionEnvironment::sessionBusAddress() const {
    const QString address = value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
    if (!address.isEmpty()) {
        return address;
    }
    // systemd user sessions leave the bus socket here without always exporting it.
    const QString runtime = runtimeDir();
    if (!runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"))) {
        return QStringLiteral("unix:path=") + runtime + QStringLiteral("/bus");
    }
    return {};
}

}  // namespace desktop
