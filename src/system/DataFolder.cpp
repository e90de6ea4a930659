#include "system/DataFolder.h"

#include <QDir>

#include "system/XdgFolders.h"

namespace sys {

QString dataFolder() {
    const QString dir = QDir::cleanPath(dataHome() + QStringLiteral("/tessaryn"));
    QDir().mkpath(dir);
    return dir;
}

}  // namespace sys
