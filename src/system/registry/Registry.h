#pragma once
// The program's text values in the hive, found by key path and name (both
// without regard to ASCII case). Each call is one use of the hive. A hive
// that cannot be used is reported on standard error once per run, and its
// file is never touched.

#include <QString>
#include <optional>

#include "system/registry/Hive.h"

namespace reg {

// The value's bytes up to the first zero byte, in the locale's charset,
// whatever its type. nullopt when the key or value is missing, the hive
// cannot be read, or the data with its terminating zero would take more
// than 1024 bytes. Creates nothing.
std::optional<QString> readText(Root root, const QString& keyPath, const QString& name);

// Stores `text` as a text value (its bytes in the locale's charset plus one
// zero byte), creating the key path as needed. False when it was not written.
bool writeText(Root root, const QString& keyPath, const QString& name, const QString& text);

// Whether the key exists; nullopt when the hive cannot be used. A missing
// hive holds no key. Creates nothing.
std::optional<bool> hasKey(Root root, const QString& keyPath);

// Writes one line about an unusable hive to standard error, once per hive
// file and run; says nothing for any other status.
void reportHiveProblem(const Hive& hive, Status status);

}  // namespace reg
