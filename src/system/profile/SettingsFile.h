#pragma once
// A settings (INI) file in the format of ProfileText.h, read once: typed
// reads of its values, and writes of a batch of changes in one replacement.
//
// Names are the program's own text; a value reads as ProfileEncoding.h says,
// so a file carried over from Windows keeps its code page. Every write
// builds the whole new file and replaces the old one atomically
// (AtomicWrite.h), so a crash or a full disk leaves the old file whole; a
// write that would leave the text as it is does not touch the file. A file
// larger than kMaxSettingsBytes is read only that far and never rewritten.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace sys {

inline constexpr qint64 kMaxSettingsBytes = 16 * 1024 * 1024;

// A value longer than this reads as its first bytes, cut between characters;
// a NUL byte ends a value.
inline constexpr qsizetype kMaxValueBytes = 1023;

struct SettingsChange {
    QString section;
    QString key;
    QString value;
};

class SettingsFile {
public:
    // Reads the file at `path`. A missing file, or anything there that is no
    // regular readable file, has no values.
    explicit SettingsFile(const QString& path);

    const QString& path() const { return path_; }

    // The value of `key` in `section`; nullopt when the file, the section or
    // the key is missing. Names match as ProfileText.h says.
    std::optional<QString> text(const QString& section, const QString& key) const;

    // The value as a whole number, halves to the even neighbour; nullopt when
    // it is missing, not numeric, or outside the 32-bit range.
    std::optional<int32_t> number(const QString& section, const QString& key) const;

    // Makes the changes to the file as it is now on the disk (what others
    // wrote since it was read stays), creating the file and its directory
    // when missing. The file ends up as the same changes made one by one
    // would leave it, a change that cannot be stored skipped (see
    // sys::profile::withValue), but it is read once and replaced once. A key
    // whose value already reads as the text given keeps its bytes; a new
    // value is encoded as the file's other non-ASCII text is. False when the
    // file could not be read whole or replaced, or a change was skipped.
    // Afterwards the values read are the file's new ones.
    bool write(const std::vector<SettingsChange>& changes);

private:
    enum class Loaded { Missing, Whole, Head, Failed };
    void load();

    QString path_;
    QByteArray bytes_;
    Loaded loaded_ = Loaded::Missing;
};

}  // namespace sys
