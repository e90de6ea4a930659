#pragma once
// The registry calls of advapi32 (single-byte variants) over the hive file.
// Same arguments, same results: 0 on success, 2 for a missing key or value
// (the handle comes back empty and nothing is created), 234 when the data
// does not fit the buffer (the buffer is then left untouched), 6 for an
// unknown handle. A hive that cannot be used gives 1009 or 1016 and one
// message on standard error per run; the file itself is never touched.

#include <QByteArray>
#include <cstdint>

#include "system/registry/Hive.h"
#include "system/registry/RegTypes.h"

namespace reg {

// Opens an existing key; creates nothing.
int32_t RegOpenKeyA(HKEY hKey, const char* lpSubKey, HKEY* phkResult);

// Opens a key, creating every missing key on the path.
int32_t RegCreateKeyA(HKEY hKey, const char* lpSubKey, HKEY* phkResult);

// Copies the value's data into lpData. *lpcbData is the buffer's size on
// entry and the data's size on return. A null lpData asks for the size only.
int32_t RegQueryValueExA(HKEY hKey, const char* lpValueName, uint32_t* lpReserved, uint32_t* lpType,
                         uint8_t* lpData, uint32_t* lpcbData);

// Creates or replaces the value with exactly these bytes and this type.
int32_t RegSetValueExA(HKEY hKey, const char* lpValueName, uint32_t Reserved, uint32_t dwType,
                       const uint8_t* lpData, uint32_t cbData);

int32_t RegCloseKey(HKEY hKey);

// Handles opened and not yet closed in this process.
int openKeyCount();

// The value as the hive stores it, read without opening a handle.
// Reports an unusable hive like the calls above.
int32_t storedValue(HKEY root, const QByteArray& subPath, const QByteArray& name, Value* out);

// Writes one line about an unusable hive to standard error, once per hive
// file and run.
void reportHiveProblem(const Hive& hive, int32_t code);

}  // namespace reg
