#pragma once
// The XDG base folders, found by one rule: the variable's value when it is an
// absolute path, else the default below the home folder. An unset, empty or
// relative value is ignored, as the XDG Base Directory rules ask.

#include <QString>

namespace sys {

// `value` is the variable's value (empty when unset); `fallback` the default's
// path below `home`, such as ".config".
QString xdgFolder(const QString& value, const QString& home, const QString& fallback);

// This process's XDG_CONFIG_HOME (~/.config) and XDG_DATA_HOME (~/.local/share).
QString configHome();
QString dataHome();

}  // namespace sys
