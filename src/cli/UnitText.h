#pragma once
// A program's path as a systemd unit's ExecStart= names it: in double quotes
// when it holds more than plain characters, with % doubled (a specifier
// otherwise). systemd takes no quote or backslash in the program's own name,
// so such a path is handed to /usr/bin/env as an argument, where \ and " are
// escaped and $ doubled. Nothing for a path with a line break or another
// control character, which no unit line can hold.

#include <QString>
#include <optional>

namespace cli {

std::optional<QString> systemdExecPath(const QString& path);

}  // namespace cli
