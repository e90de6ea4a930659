#pragma once
// File names as bytes. A name reaches the system's calls as the UTF-8 bytes
// of its text, so a name whose bytes are not valid UTF-8 cannot pass through
// QString unchanged (Qt puts U+FFFD in place of the bad bytes). Such a name
// is refused, never quietly changed into another one.

#include <QByteArray>
#include <QString>
#include <optional>

namespace files {

// The text of the name `bytes`; nothing when the bytes are not valid UTF-8.
std::optional<QString> decodeName(const QByteArray& bytes);

// `bytes` for a one-line message: valid UTF-8 as it is, other bytes and
// control characters as \xHH.
QString shownBytes(const QByteArray& bytes);

// "the name "…\xff…" is not valid UTF-8".
QString notUtf8(const QByteArray& bytes);

}  // namespace files
