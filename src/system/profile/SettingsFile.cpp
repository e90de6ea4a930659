#include "system/profile/SettingsFile.h"

#include "system/AtomicWrite.h"
#include "system/Numeric.h"
#include "system/profile/ProfileEncoding.h"
#include "system/profile/ProfileText.h"
#include "toolkit/Rounding.h"
#include "toolkit/files/RegularFiles.h"

#include <QFileInfo>

namespace sys {

namespace {

bool holdsNul(const QString& text) {
    return text.contains(QChar(u'\0'));
}

}  // namespace

SettingsFile::SettingsFile(const QString& path) : path_(path) {
    load();
}

// Anything but a regular file (a directory, a pipe that would block) counts
// as unreadable; of an oversized file only the first kMaxSettingsBytes are
// read.
void SettingsFile::load() {
    bytes_.clear();
    const QFileInfo info(path_);
    if (!info.exists()) {
        loaded_ = Loaded::Missing;
        return;
    }
    files::FileBytes read = files::readRegularFile(path_, kMaxSettingsBytes);
    if (!info.isFile() || !read.ok()) {
        loaded_ = Loaded::Failed;
        return;
    }
    bytes_ = std::move(read.bytes);
    loaded_ = read.whole ? Loaded::Whole : Loaded::Head;
}

std::optional<QString> SettingsFile::text(const QString& section, const QString& key) const {
    if (holdsNul(section) || holdsNul(key)) {
        return std::nullopt;
    }
    const std::optional<QByteArray> found =
        profile::findValue(bytes_, section.toUtf8(), key.toUtf8());
    if (!found) {
        return std::nullopt;
    }
    // A NUL ends the value.
    QByteArrayView value(*found);
    value = value.first(profile::fittingLength(value, kMaxValueBytes));
    if (const qsizetype nul = value.indexOf('\0'); nul >= 0) {
        value = value.first(nul);
    }
    return profile::decodeValue(value);
}

std::optional<int32_t> SettingsFile::number(const QString& section, const QString& key) const {
    const std::optional<double> value = numericValue(text(section, key).value_or(QString()));
    if (!value) {
        return std::nullopt;
    }
    try {
        return tk::roundToInt32(*value);
    } catch (const tk::OverflowError&) {
        return std::nullopt;
    }
}

bool SettingsFile::write(const std::vector<SettingsChange>& changes) {
    load();
    if (loaded_ == Loaded::Failed || loaded_ == Loaded::Head || holdsNul(path_)) {
        return false;  // rewriting what could not be read whole would lose it
    }
    const profile::Encoding encoding = profile::fileEncoding(bytes_);
    QByteArray text = bytes_;
    bool all = true;
    for (const SettingsChange& c : changes) {
        if (holdsNul(c.section) || holdsNul(c.key) || holdsNul(c.value)) {
            all = false;
            continue;
        }
        const QByteArray section = c.section.toUtf8();
        const QByteArray key = c.key.toUtf8();
        const std::optional<QByteArray> old = profile::findValue(text, section, key);
        if (old && profile::decodeValue(*old) == c.value) {
            continue;
        }
        std::optional<QByteArray> changed =
            profile::withValue(text, section, key, profile::encodeValue(c.value, encoding));
        if (changed) {
            text = std::move(*changed);
        } else {
            all = false;
        }
    }
    // Writing a value the file already holds leaves the file (and every link
    // to it) alone.
    if (loaded_ == Loaded::Whole && text == bytes_) {
        return all;
    }
    if (!replaceFileAtomically(path_, text)) {
        return false;
    }
    bytes_ = std::move(text);
    loaded_ = Loaded::Whole;
    return all;
}

}  // namespace sys
