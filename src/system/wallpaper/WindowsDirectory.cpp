#include "system/wallpaper/WindowsDirectory.h"

#include <QDir>
#include <QFile>
#include <cstring>

namespace sys {

QString windowsDirectory() {
    // The XDG rule: an unset, empty or relative XDG_DATA_HOME means the default.
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.local/share");
    }
    const QString dir = QDir::cleanPath(base + QStringLiteral("/tessaryn"));
    // Whoever writes there reports a directory that could not be made.
    QDir().mkpath(dir);
    return dir;
}

uint32_t GetWindowsDirectoryA(char* lpBuffer, uint32_t uSize) {
    const QByteArray dir = QFile::encodeName(windowsDirectory());
    const auto length = static_cast<uint32_t>(dir.size());
    if (lpBuffer == nullptr || length + 1 > uSize) {
        return length + 1;
    }
    std::memcpy(lpBuffer, dir.constData(), length + 1);
    return length;
}

}  // namespace sys
