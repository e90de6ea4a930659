#pragma once
// The profile (INI) file format on the bytes of a file in the system's code
// page: finding one key's value, and the file's text with one value set. No
// file access here; SettingsFile.h reads and writes the files.
//
// A section starts at a line whose first non-blank character is "["; its name
// runs to the first "]". An entry is a line with "=" inside a section: the key
// before the first "=", the value after it. Names match without regard to
// the case of ASCII letters (every other byte must match exactly) and with
// blanks and tabs around them ignored. Every other line (blank,
// comment, a line without "=") is no entry and is kept as it is. CRLF, LF and
// CR all end a line.

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace sys::profile {

// The value of `key` in the first section named `section`, trimmed of blanks
// and tabs and with one enclosing pair of double or single quotes removed.
// Only the first matching section is searched, and in it the first matching
// key wins. nullopt when the section or the key is missing.
std::optional<QByteArray> findValue(QByteArrayView text, QByteArrayView section,
                                    QByteArrayView key);

// `text` with `key` set to `value` in `section`: the first matching key of the
// first matching section gets the new value in place (the file's spelling of
// the key kept, and its blanks after "=" unless the value brings its own), a missing key is added
// after the last non-blank line of that section, a missing section is added at the end. All other
// bytes stay as they were; added lines end as the file's lines do. nullopt when the names or the
// value could not be read back as written: an empty name, a line break or NUL
// anywhere, "]" in the section, "=" in the key or a key starting with "[".
std::optional<QByteArray> withValue(QByteArrayView text, QByteArrayView section, QByteArrayView key,
                                    QByteArrayView value);

// The line end that new lines get: the file's first one, CRLF when it has none.
QByteArray lineEnd(QByteArrayView text);

// How many leading bytes of `value` fit into `max` bytes without cutting a
// UTF-8 sequence in two (a value that is not UTF-8 is cut at `max`).
qsizetype fittingLength(QByteArrayView value, qsizetype max);

}  // namespace sys::profile
