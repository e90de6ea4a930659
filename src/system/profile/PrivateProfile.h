#pragma once
// The profile-string functions under their Windows names, on files in the
// format of ProfileText.h. Names and values are bytes in the system's code
// page. The file is opened only inside each call.
//
// Every write builds the whole new file and replaces the old one atomically
// (AtomicWrite.h), so a crash or a full disk leaves the old file whole; a
// write that would leave the text as it is does not touch the file. A file larger than
// kMaxProfileBytes is read only that far and never rewritten.
//
// Not supported: the enumerations and deletions that Windows performs for a
// null section, key or value; such a call reads the default or fails.

#include <QString>
#include <cstdint>
#include <vector>

namespace sys {

inline constexpr qint64 kMaxProfileBytes = 16 * 1024 * 1024;

// Copies the value of `lpKeyName` in section `lpAppName` of file `lpFileName`,
// or `lpDefault` when the file, section or key is missing, into
// `lpReturnedString`: at most nSize - 1 bytes (never half a UTF-8 sequence)
// and a terminating NUL. Returns the number of bytes copied before the NUL.
uint32_t GetPrivateProfileStringA(const char* lpAppName, const char* lpKeyName,
                                  const char* lpDefault, char* lpReturnedString, uint32_t nSize,
                                  const char* lpFileName);

// Sets `lpKeyName` = `lpString` in section `lpAppName` of file `lpFileName`,
// creating the file (and its directory) when missing. False when nothing was
// written: the file could not be read or replaced, or the names or the value
// cannot be stored (see sys::profile::withValue); the old file is unchanged.
bool WritePrivateProfileStringA(const char* lpAppName, const char* lpKeyName, const char* lpString,
                                const char* lpFileName);

// The same for the program's own text: converts to the system's code page.
bool WritePrivateProfileStringA(const QString& section, const QString& key, const QString& value,
                                const QString& fileName);

// Several writes in one go: the file ends up as the same writes made one by
// one would leave it (a write that cannot be stored is skipped), but it is
// read once and replaced once, so closing the program waits for one flush to
// disk instead of one per value. A key whose value already reads as the text
// given keeps its bytes; a new value is encoded as the file's other non-ASCII
// text is (ProfileEncoding.h). False when the file could not be replaced or
// any write was skipped.
struct ProfileWrite {
    QString section;
    QString key;
    QString value;
};
bool WritePrivateProfileStrings(const std::vector<ProfileWrite>& writes, const QString& fileName);

// While one lives (on this thread), reads take the bytes of the file that the
// first of them loaded: a window that reads a dozen values at start reads the
// file once. A write through these functions makes the next read load afresh.
class ProfileReadOnce {
public:
    ProfileReadOnce();
    ~ProfileReadOnce();
    ProfileReadOnce(const ProfileReadOnce&) = delete;
    ProfileReadOnce& operator=(const ProfileReadOnce&) = delete;
};

}  // namespace sys
