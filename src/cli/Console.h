#pragma once
// One line to the user: what was done on standard output, what went wrong on
// standard error (prefixed with the program's name). A line may name paths
// and values read from files and the hive; control characters in them are
// printed as escapes, so a line stays one line and a terminal's escape
// sequence is shown, never obeyed.

#include <QString>
#include <cstdio>

#include "system/PrintableText.h"

namespace cli {

inline void say(const QString& line) {
    std::fputs((sys::printable(line) + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

inline void complain(const QString& line) {
    std::fputs((QStringLiteral("tessaryn: ") + sys::printable(line) + QLatin1Char('\n'))
                   .toLocal8Bit()
                   .constData(),
               stderr);
}

}  // namespace cli
