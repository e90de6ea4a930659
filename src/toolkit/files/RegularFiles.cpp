#include "toolkit/files/RegularFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>

#include "toolkit/Translations.h"

namespace files {

QString notRegular(mode_t mode) {
    if (S_ISREG(mode)) {
        return {};
    }
    if (S_ISDIR(mode)) {
        return tk::Text::tr("it is a folder, not a file");
    }
    if (S_ISFIFO(mode)) {
        return tk::Text::tr("it is a FIFO, not a regular file");
    }
    if (S_ISSOCK(mode)) {
        return tk::Text::tr("it is a socket, not a regular file");
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return tk::Text::tr("it is a device, not a regular file");
    }
    return tk::Text::tr("it is not a regular file");
}

int openRegularFile(const QString& path, QString* error) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return -1;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        ::close(fd);
        return -1;
    }
    if (QString why = notRegular(st.st_mode); !why.isEmpty()) {
        *error = why;
        ::close(fd);
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

FileBytes readRegularFile(const QString& path, qint64 limit) {
    FileBytes result;
    const int fd = openRegularFile(path, &result.error);
    if (fd < 0) {
        return result;
    }
    struct stat st {};
    ::fstat(fd, &st);
    // The file may grow while it is read: one byte past the limit tells.
    QByteArray& bytes = result.bytes;
    bytes.resize(std::min<qint64>(limit + 1, std::max<qint64>(st.st_size, 0) + 1));
    qint64 filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > limit) {
                break;
            }
            bytes.resize(std::min<qint64>(limit + 1, filled * 2 + 4096));
        }
        const ssize_t n = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            result.error = QString::fromLocal8Bit(std::strerror(errno));
            bytes.clear();
            ::close(fd);
            return result;
        }
        if (n == 0) {
            break;
        }
        filled += n;
    }
    ::close(fd);
    bytes.truncate(std::min(filled, limit));
    result.whole = filled <= limit;
    return result;
}

}  // namespace files
