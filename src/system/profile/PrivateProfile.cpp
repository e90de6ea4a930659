#include "system/profile/PrivateProfile.h"

#include "system/AtomicWrite.h"
#include "system/profile/ProfileEncoding.h"
#include "system/profile/ProfileText.h"
#include "toolkit/files/RegularFiles.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace sys {

namespace {

enum class Loaded { Missing, Whole, Head, Failed };

// Reads the file into `bytes`. Anything but a regular file (a directory, a
// pipe that would block) counts as unreadable; of an oversized file only the
// first kMaxProfileBytes are read.
Loaded loadFile(const QString& path, QByteArray& bytes) {
    const QFileInfo info(path);
    if (!info.exists()) {
        return Loaded::Missing;
    }
    if (!info.isFile()) {
        return Loaded::Failed;
    }
    files::FileBytes read = files::readRegularFile(path, kMaxProfileBytes);
    if (!read.ok()) {
        return Loaded::Failed;
    }
    bytes = std::move(read.bytes);
    if (!read.whole) {
        return Loaded::Head;
    }
    return Loaded::Whole;
}

// What the reads inside a ProfileReadOnce scope share.
struct ReadCache {
    int scopes = 0;
    bool filled = false;
    QString path;
    QByteArray bytes;
    Loaded loaded = Loaded::Missing;
};

ReadCache& readCache() {
    thread_local ReadCache cache;
    return cache;
}

Loaded load(const QString& path, QByteArray& bytes) {
    ReadCache& cache = readCache();
    if (cache.scopes == 0) {
        return loadFile(path, bytes);
    }
    if (!cache.filled || cache.path != path) {
        cache.loaded = loadFile(path, cache.bytes);
        cache.path = path;
        cache.filled = true;
    }
    bytes = cache.bytes;
    return cache.loaded;
}

// A write makes what a scope read stale.
void forgetReads() {
    ReadCache& cache = readCache();
    cache.filled = false;
    cache.bytes.clear();
}

// Replaces the file only when its text changes: writing a value it already
// holds leaves the file (and every link to it) alone.
bool store(const QString& path, const QByteArray& before, const QByteArray& after, Loaded loaded) {
    if (loaded == Loaded::Whole && after == before) {
        return true;
    }
    forgetReads();
    return replaceFileAtomically(path, after);
}

}  // namespace

ProfileReadOnce::ProfileReadOnce() {
    ++readCache().scopes;
}

ProfileReadOnce::~ProfileReadOnce() {
    if (--readCache().scopes == 0) {
        forgetReads();
    }
}

uint32_t GetPrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                  const char* lpDefault, char* lpReturnedString, uint32_t nSize,
                                  const char* lpFileName) {
    if (lpReturnedString == nullptr || nSize == 0) {
        return 0;
    }
    std::optional<QByteArray> found;
    if (lpAppName != nullptr && lpKeyName != nullptr && lpFileName != nullptr) {
        QByteArray text;
        const Loaded loaded = load(QFile::decodeName(lpFileName), text);
        if (loaded == Loaded::Whole || loaded == Loaded::Head) {
            found = profile::findValue(text, lpAppName, lpKeyName);
        }
    }
    const QByteArrayView value = found ? QByteArrayView(*found) : QByteArrayView(lpDefault);
    const auto n = static_cast<size_t>(profile::fittingLength(value, nSize - 1));
    std::memcpy(lpReturnedString, value.data(), n);
    lpReturnedString[n] = '\0';
    return static_cast<uint32_t>(n);
}

bool WritePrivateProfileStringA(const char* lpAppName, const char* lpKeyName, const char* lpString,
                                const char* lpFileName) {
    if (lpAppName == nullptr || lpKeyName == nullptr || lpString == nullptr ||
        lpFileName == nullptr) {
        return false;
    }
    const QString path = QFile::decodeName(lpFileName);
    QByteArray text;
    const Loaded loaded = load(path, text);
    if (loaded == Loaded::Failed || loaded == Loaded::Head) {
        return false;  // rewriting what could not be read whole would lose it
    }
    const std::optional<QByteArray> changed =
        profile::withValue(text, lpAppName, lpKeyName, lpString);
    return changed && store(path, text, *changed, loaded);
}

bool WritePrivateProfileStringA(const QString& section, const QString& key, const QString& value,
                                const QString& fileName) {
    // A NUL would silently cut the text short on its way through char*.
    for (const QString* text : {&section, &key, &value, &fileName}) {
        if (text->contains(QChar(u'\0'))) {
            return false;
        }
    }
    return WritePrivateProfileStringA(
        section.toLocal8Bit().constData(), key.toLocal8Bit().constData(),
        value.toLocal8Bit().constData(), QFile::encodeName(fileName).constData());
}

bool WritePrivateProfileStrings(const std::vector<ProfileWrite>& writes, const QString& fileName) {
    QByteArray text;
    const Loaded loaded = load(fileName, text);
    if (loaded == Loaded::Failed || loaded == Loaded::Head || fileName.contains(QChar(u'\0'))) {
        return false;
    }
    // New values take the encoding the file already uses for its non-ASCII
    // text; a value that reads as the one being written keeps its bytes.
    const QByteArray before = text;
    const profile::Encoding encoding = profile::fileEncoding(text);
    bool all = true;
    for (const ProfileWrite& w : writes) {
        const bool clean = !w.section.contains(QChar(u'\0')) && !w.key.contains(QChar(u'\0')) &&
                           !w.value.contains(QChar(u'\0'));
        if (!clean) {
            all = false;
            continue;
        }
        const QByteArray section = w.section.toLocal8Bit();
        const QByteArray key = w.key.toLocal8Bit();
        const std::optional<QByteArray> old = profile::findValue(text, section, key);
        if (old && profile::decodeValue(*old) == w.value) {
            continue;
        }
        std::optional<QByteArray> changed =
            profile::withValue(text, section, key, profile::encodeValue(w.value, encoding));
        if (changed) {
            text = std::move(*changed);
        } else {
            all = false;
        }
    }
    return store(fileName, before, text, loaded) && all;
}

}  // namespace sys
