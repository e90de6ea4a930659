#include "composition/RecordLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QThread>
#include <cerrno>
#include <cstring>

#include "system/DataFolder.h"
#include "toolkit/Translations.h"

namespace composition {

RecordLock::~RecordLock() {
    release();
}

void RecordLock::release() {
    if (fd_ >= 0) {
        ::close(fd_);  // also lets go of the lock
        fd_ = -1;
    }
}

bool RecordLock::acquire(int waitMs) {
    const QByteArray path =
        (sys::dataFolder() + QStringLiteral("/.composition.lock")).toLocal8Bit();
    fd_ = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        error_ =
            tk::Text::tr("cannot open the lock file %1: %2")
                .arg(QString::fromLocal8Bit(path), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    for (int waited = 0;; waited += 50) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            return true;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            error_ = tk::Text::tr("cannot lock %1: %2")
                         .arg(QString::fromLocal8Bit(path),
                              QString::fromLocal8Bit(std::strerror(errno)));
            break;
        }
        if (waited >= waitMs) {
            error_ = tk::Text::tr("another tessaryn is changing the wallpaper now");
            break;
        }
        QThread::msleep(50);
    }
    ::close(fd_);
    fd_ = -1;
    return false;
}

}  // namespace composition
