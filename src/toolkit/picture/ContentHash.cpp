#include "toolkit/picture/ContentHash.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xxhash.h>

#include <cerrno>
#include <vector>

#include "toolkit/Translations.h"
#include "toolkit/files/AtomicFile.h"
#include "toolkit/files/RegularFiles.h"

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
    // Only a regular file is read, and a link at `to` keeps naming the file
    // that gets the copy.
    files::AtomicFile file(to, files::AtomicFile::Options{.mode = 0644});
    if (!file.targetError().isEmpty()) {
        result.error = tk::Text::tr("%1 cannot be replaced: %2").arg(to, file.targetError());
        return result;
    }
    QString refused;
    const int in = files::openRegularFile(from, &refused);
    if (in < 0) {
        result.error = tk::Text::tr("cannot read %1: %2").arg(from, refused);
        return result;
    }
    if (!file.open()) {
        result.error = tk::Text::tr("cannot write beside %1: %2").arg(to, file.reason());
        ::close(in);
        return result;
    }
    ::posix_fadvise(in, 0, 0, POSIX_FADV_SEQUENTIAL);
    ContentHasher hasher;
    file.copyFrom(in, [&hasher](QByteArrayView piece) {
        hasher.add(piece.data(), static_cast<std::size_t>(piece.size()));
    });
    ::close(in);
    if (file.commit()) {
        result.hash = hasher.hex();
        return result;
    }
    result.error = tk::Text::tr("cannot write %1: %2").arg(to, file.reason());
    return result;
}

}  // namespace tk
