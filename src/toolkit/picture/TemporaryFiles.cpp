#include "toolkit/picture/TemporaryFiles.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

namespace tk {

bool lockTemporary(int fd) {
    return ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

void removeLeftoverTemporaries(const QString& dir, const QString& prefix) {
    const QStringList names = QDir(dir).entryList({prefix + QStringLiteral("*.tmp")},
                                                  QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QByteArray path = QFile::encodeName(dir + QLatin1Char('/') + name);
        const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) {
            continue;
        }
        // Unlocked: its writer is gone. Removed while we hold the lock, so a
        // writer cannot take it over in between.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(path.constData());
        }
        ::close(fd);
    }
}

}  // namespace tk
