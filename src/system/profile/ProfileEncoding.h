#pragma once
// The text of profile values. Files written on this system hold UTF-8; files
// carried over from Windows hold their values in the Windows code page of
// the machine they came from, most often Japanese (CP932) or Western
// (Windows-1252). A value reads as UTF-8 when it is valid UTF-8, else as
// CP932 when it is valid CP932, else as Windows-1252, so no byte is lost.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace sys::profile {

enum class Encoding { Utf8, Cp932, Windows1252 };

// How one value's bytes read (see above).
Encoding valueEncoding(QByteArrayView bytes);
QString decodeValue(QByteArrayView bytes);

// The encoding a file uses for its non-ASCII bytes: UTF-8 when the whole file
// is valid UTF-8, else as for a value.
Encoding fileEncoding(QByteArrayView text);

// `value` in `encoding`; UTF-8 for a value the encoding cannot hold, which
// still reads back as written.
QByteArray encodeValue(const QString& value, Encoding encoding);

}  // namespace sys::profile
