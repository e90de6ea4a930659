#pragma once
// One line to the user: what was done on standard output, what went wrong on
// standard error (prefixed with the program's name).

#include <QString>
#include <cstdio>

namespace refresh {

inline void say(const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

inline void complain(const QString& line) {
    std::fputs((QStringLiteral("tessaryn: ") + line + QLatin1Char('\n')).toLocal8Bit().constData(),
               stderr);
}

}  // namespace refresh
