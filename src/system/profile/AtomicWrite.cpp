#include "system/profile/AtomicWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <functional>
#include <vector>

#include "toolkit/Translations.h"
#include "toolkit/files/RegularFiles.h"
#include "toolkit/files/WriteTarget.h"

namespace sys {

namespace {

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool writeAll(int fd, const char* p, qsizetype left) {
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;
            }
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

// A new file in `dir` under a fresh hidden name, created with mode 0666 less
// the umask as any new file would be; -1 when none can be made.
int createTemporary(const QByteArray& dir, const QByteArray& name, QByteArray& tempPath) {
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = dir + "/." + name + "." +
                   QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        const int fd = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// Makes the rename itself durable; a failure here does not undo the write.
void syncDirectory(const QByteArray& dir) {
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Replaces the file `path` names with what `fill` writes to a descriptor;
// `mode` is the new file's, or -1 for the old file's (or a new file's).
QString replaceWith(const QString& path, const std::function<bool(int)>& fill, int mode) {
    const files::WriteTarget target = files::resolveWriteTarget(path);
    if (!target.ok()) {
        return target.error;
    }
    const QFileInfo info(target.path);
    const QString dirPath = info.absolutePath();
    if (!QDir().mkpath(dirPath)) {
        return tk::Text::tr("the folder %1 cannot be made").arg(dirPath);
    }
    const QByteArray native = QFile::encodeName(target.path);
    // A file made read-only stays as it is, as an in-place write would. A
    // file without any write permission bit is read-only for root as well,
    // whom access() lets through.
    struct stat old {};
    const bool exists = ::stat(native.constData(), &old) == 0;
    if (exists && ((old.st_mode & 0222) == 0 || ::access(native.constData(), W_OK) != 0)) {
        return tk::Text::tr("the file is read-only");
    }
    const QByteArray dir = QFile::encodeName(dirPath);
    QByteArray temp;
    const int fd = createTemporary(dir, QFile::encodeName(info.fileName()), temp);
    if (fd < 0) {
        return tk::Text::tr("no file can be made in %1: %2").arg(dirPath, systemError());
    }
    const mode_t newMode = mode >= 0 ? mode_t(mode) : old.st_mode & 07777;
    bool ok = ((mode < 0 && !exists) || ::fchmod(fd, newMode) == 0) && fill(fd) && ::fsync(fd) == 0;
    int err = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && ::rename(temp.constData(), native.constData()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temp.constData());
        return QString::fromLocal8Bit(std::strerror(err));
    }
    syncDirectory(dir);
    return {};
}

}  // namespace

bool replaceFileAtomically(const QString& path, QByteArrayView bytes, QString* error) {
    const QString why = replaceWith(
        path, [&](int fd) { return writeAll(fd, bytes.data(), bytes.size()); }, -1);
    if (error != nullptr) {
        *error = why;
    }
    return why.isEmpty();
}

QString copyFileAtomically(const QString& from, const QString& to) {
    QString error;
    const int in = files::openRegularFile(from, &error);
    if (in < 0) {
        return tk::Text::tr("%1 cannot be read: %2").arg(from, error);
    }
    bool readFailed = false;
    const auto copy = [&](int out) {
        std::vector<char> buffer(1 << 20);
        for (;;) {
            const ssize_t n = ::read(in, buffer.data(), buffer.size());
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                readFailed = n < 0;
                return n == 0;
            }
            if (!writeAll(out, buffer.data(), n)) {
                return false;
            }
        }
    };
    error = replaceWith(to, copy, 0644);
    ::close(in);
    if (readFailed) {
        return tk::Text::tr("%1 cannot be read: %2").arg(from, error);
    }
    return error.isEmpty() ? QString() : tk::Text::tr("%1 was not written: %2").arg(to, error);
}

}  // namespace sys
