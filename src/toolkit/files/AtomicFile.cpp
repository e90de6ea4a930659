#include "toolkit/files/AtomicFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <vector>

#include "toolkit/files/WriteTarget.h"

namespace files {

namespace {

// Removes the files in `dir` named `prefix`*.tmp that no writer holds locked.
void removeLeftovers(const QString& dir, const QString& prefix) {
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

// Makes the rename itself durable; a failure here does not undo the write.
void syncFolder(const QByteArray& dir) {
    const int fd = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

AtomicFile::AtomicFile(const QString& path) : AtomicFile(path, Options{}) {}

AtomicFile::AtomicFile(const QString& path, Options options) : options_(options) {
    const WriteTarget target = resolveWriteTarget(path);
    path_ = target.path;
    targetError_ = target.error;
}

AtomicFile::~AtomicFile() {
    discard();
}

QString AtomicFile::folder() const {
    return QFileInfo(path_).absolutePath();
}

bool AtomicFile::failAt(Step step, int error) {
    step_ = step;
    error_ = error;
    discard();
    return false;
}

void AtomicFile::fail(int error) {
    failAt(Step::Write, error);
}

void AtomicFile::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.isEmpty()) {
        ::unlink(temporary_.constData());
    }
    temporary_.clear();
}

QString AtomicFile::reason() const {
    if (step_ == Step::Target) {
        return targetError_;
    }
    return QString::fromLocal8Bit(std::strerror(error_));
}

bool AtomicFile::open() {
    if (!targetError_.isEmpty()) {
        return failAt(Step::Target, 0);
    }
    const QString dir = folder();
    if (options_.makeFolder && !QDir().mkpath(dir)) {
        return failAt(Step::Folder, errno);
    }
    const QByteArray native = QFile::encodeName(path_);
    // A file without any write permission bit is read-only for root as well,
    // whom access() lets through.
    struct stat old {};
    const bool exists = ::stat(native.constData(), &old) == 0;
    if (options_.keepReadOnly && exists &&
        ((old.st_mode & 0222) == 0 || ::access(native.constData(), W_OK) != 0)) {
        return failAt(Step::ReadOnly, EACCES);
    }
    const QString name = QFileInfo(path_).fileName();
    removeLeftovers(dir, QLatin1Char('.') + name + QLatin1Char('.'));
    // A fresh name; O_EXCL keeps us off anything that exists.
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        temporary_ = QFile::encodeName(
            QStringLiteral("%1/.%2.%3.tmp")
                .arg(dir, name)
                .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0')));
        fd_ = ::open(temporary_.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd_ < 0) {
        temporary_.clear();
        return failAt(Step::Create, errno);
    }
    ::flock(fd_, LOCK_EX | LOCK_NB);
    const bool keepsMode = options_.mode < 0 && exists;
    const mode_t mode = keepsMode ? old.st_mode & 07777 : mode_t(options_.mode);
    if ((keepsMode || options_.mode >= 0) && ::fchmod(fd_, mode) != 0) {
        return failAt(Step::Write, errno);
    }
    return true;
}

bool AtomicFile::write(QByteArrayView bytes) {
    if (fd_ < 0) {
        return false;
    }
    const char* p = bytes.data();
    for (qsizetype left = bytes.size(); left > 0;) {
        const ssize_t n = ::write(fd_, p, static_cast<size_t>(left));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return failAt(Step::Write, n == 0 ? EIO : errno);
        }
        p += n;
        left -= n;
    }
    return true;
}

bool AtomicFile::copyFrom(int in, const std::function<void(QByteArrayView)>& seen) {
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            readFailed_ = true;
            fail(errno);
            return false;
        }
        if (n == 0) {
            return true;
        }
        const QByteArrayView piece(buffer.data(), n);
        if (seen) {
            seen(piece);
        }
        if (!write(piece)) {
            return false;
        }
    }
}

bool AtomicFile::commit() {
    if (fd_ < 0) {
        return false;
    }
    if (::fsync(fd_) != 0) {
        return failAt(Step::Flush, errno);
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        return failAt(Step::Close, errno);
    }
    const QByteArray native = QFile::encodeName(path_);
    if (::rename(temporary_.constData(), native.constData()) != 0) {
        return failAt(Step::Rename, errno);
    }
    temporary_.clear();
    syncFolder(QFile::encodeName(folder()));
    return true;
}

}  // namespace files
