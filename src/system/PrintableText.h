#pragma once
// Text from outside the program (paths, hive values, a tool's answer) made
// safe to print: control characters become escapes, so a name holding a line
// break or a terminal's escape sequence is shown, never obeyed.

#include <QString>

namespace sys {

// `text` with \n, \r and \t as those escapes, other C0 and C1 controls and
// DEL as \xNN, and the Unicode line and paragraph separators as \uNNNN.
// Everything else, backslashes included, is left as it is.
QString printable(const QString& text);

// Whether `text` holds a line break (\n or \r), which a line-based file
// would read as the end of the line.
bool hasLineBreak(const QString& text);

}  // namespace sys
