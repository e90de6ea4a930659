#pragma once
// Reading and writing one string value of the registry. A failed read gives
// the empty string, a failed write gives False; nothing is shown to the user.
// Each call opens one key handle and closes it before it returns.

#include <QString>
#include <cstdint>

#include "system/registry/RegTypes.h"

namespace sys {

// The value's bytes up to the first zero byte, in the locale's charset.
// Values whose data (terminator included) needs more than 1024 bytes read as
// the empty string. Never creates a key.
QString RegGetString(reg::HKEY root, const QString& keyName, const QString& name);

// Stores text as REG_SZ (its bytes plus one zero byte), creating the key
// path as needed. True (-1) when written, else False (0).
int16_t RegSetString(reg::HKEY root, const QString& keyName, const QString& name,
                     const QString& text);

}  // namespace sys
