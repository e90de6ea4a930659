#include "toolkit/picture/ContentHash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xxhash.h>

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "toolkit/Translations.h"
#include "toolkit/files/RegularFiles.h"
#include "toolkit/files/WriteTarget.h"
#include "toolkit/picture/TemporaryFiles.h"

namespace tk {

struct ContentHasher::State {
    XXH3_state_t* xxh = XXH3_createState();
    ~State() { XXH3_freeState(xxh); }
};

ContentHasher::ContentHasher() : state_(std::make_unique<State>()) {
    XXH3_128bits_reset(state_->xxh);
}

ContentHasher::~ContentHasher() = default;

void ContentHasher::add(const void* data, std::size_t size) {
    XXH3_128bits_update(state_->xxh, data, size);
}

QByteArray ContentHasher::hex() const {
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, XXH3_128bits_digest(state_->xxh));
    return QByteArray(reinterpret_cast<const char*>(canonical.digest), sizeof canonical.digest)
        .toHex();
}

HashedCopy copyFileHashed(const QString& from, const QString& to) {
    HashedCopy result;
    auto why = [] { return QString::fromLocal8Bit(std::strerror(errno)); };
    // Only a regular file is read, and a link at `to` keeps naming the file
    // that gets the copy.
    QString refused;
    const files::WriteTarget resolved = files::resolveWriteTarget(to);
    if (!resolved.ok()) {
        result.error = tk::Text::tr("%1 cannot be replaced: %2").arg(to, resolved.error);
        return result;
    }
    const int in = files::openRegularFile(from, &refused);
    if (in < 0) {
        result.error = tk::Text::tr("cannot read %1: %2").arg(from, refused);
        return result;
    }
    const QFileInfo target(resolved.path);
    removeLeftoverTemporaries(target.path(), target.fileName() + QLatin1Char('.'));
    const QByteArray targetName = QFile::encodeName(resolved.path);
    QByteArray name = targetName + ".XXXXXX.tmp";
    const int out = ::mkstemps(name.data(), 4);
    if (out >= 0) {
        lockTemporary(out);
    }
    if (out < 0) {
        result.error = tk::Text::tr("cannot write beside %1: %2").arg(to, why());
        ::close(in);
        return result;
    }
    ::posix_fadvise(in, 0, 0, POSIX_FADV_SEQUENTIAL);
    ContentHasher hasher;
    std::vector<char> buffer(1 << 20);
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        hasher.add(buffer.data(), static_cast<std::size_t>(n));
        for (ssize_t done = 0; ok && done < n;) {
            const ssize_t w =
                ::write(out, buffer.data() + done, static_cast<std::size_t>(n - done));
            ok = w > 0;
            done += std::max<ssize_t>(w, 0);
        }
        if (!ok) {
            break;
        }
    }
    ok = ok && ::fchmod(out, 0644) == 0 && ::fsync(out) == 0;
    const int err = errno;
    ok = ::close(out) == 0 && ok;
    ::close(in);
    if (ok && ::rename(name.constData(), targetName.constData()) == 0) {
        result.hash = hasher.hex();
        return result;
    }
    ::unlink(name.constData());
    errno = err;
    result.error = tk::Text::tr("cannot write %1: %2").arg(to, why());
    return result;
}

}  // namespace tk
