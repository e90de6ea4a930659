#include "system/profile/AtomicWrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>

namespace sys {

namespace {

bool writeAll(int fd, QByteArrayView bytes) {
    const char* p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
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

}  // namespace

bool replaceFileAtomically(const QString& path, QByteArrayView bytes) {
    QFileInfo info(path);
    for (int hops = 0; hops < 8 && info.isSymLink(); ++hops) {
        info = QFileInfo(info.symLinkTarget());  // a dangling link gets its file created
    }
    const QString dirPath = info.absolutePath();
    if (!QDir().mkpath(dirPath)) {
        return false;
    }
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    // A file made read-only stays as it is, as an in-place write would. A
    // file without any write permission bit is read-only for root as well,
    // whom access() lets through.
    struct stat current {};
    if (::stat(target.constData(), &current) == 0 && (current.st_mode & 0222) == 0) {
        return false;
    }
    if (::access(target.constData(), W_OK) != 0 && errno != ENOENT) {
        return false;
    }
    const QByteArray dir = QFile::encodeName(dirPath);
    QByteArray temp;
    const int fd = createTemporary(dir, QFile::encodeName(info.fileName()), temp);
    if (fd < 0) {
        return false;
    }
    struct stat old {};
    const bool keepMode = ::stat(target.constData(), &old) == 0;
    bool ok = (!keepMode || ::fchmod(fd, old.st_mode & 07777) == 0) && writeAll(fd, bytes) &&
              ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    ok = ok && ::rename(temp.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
        return false;
    }
    syncDirectory(dir);
    return true;
}

}  // namespace sys
