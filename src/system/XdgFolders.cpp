#include "system/XdgFolders.h"

#include <QDir>

namespace sys {

QString xdgFolder(const QString& value, const QString& home, const QString& fallback) {
    if (value.isEmpty() || QDir::isRelativePath(value)) {
        return home + u'/' + fallback;
    }
    return value;
}

QString configHome() {
    return xdgFolder(qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath(),
                     QStringLiteral(".config"));
}

QString dataHome() {
    return xdgFolder(qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath(),
                     QStringLiteral(".local/share"));
}

}  // namespace sys
