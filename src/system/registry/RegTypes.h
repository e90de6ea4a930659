#pragma once
// The registry's vocabulary as the Windows calls spell it: handle values,
// the predefined roots, value types and result codes. Code above the
// registry reads exactly as it would against advapi32.

#include <cstdint>

namespace reg {

// A key handle. The predefined roots have fixed values; handles returned by
// RegOpenKeyA/RegCreateKeyA are small numbers; 0 is the empty handle.
using HKEY = uint32_t;

inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;
inline constexpr HKEY HKEY_CURRENT_CONFIG = 0x80000005u;

// Value types.
inline constexpr uint32_t REG_NONE = 0;
inline constexpr uint32_t REG_SZ = 1;
inline constexpr uint32_t REG_EXPAND_SZ = 2;
inline constexpr uint32_t REG_BINARY = 3;
inline constexpr uint32_t REG_DWORD = 4;
inline constexpr uint32_t REG_MULTI_SZ = 7;
inline constexpr uint32_t REG_QWORD = 11;

// Result codes (the Windows system error numbers).
inline constexpr int32_t ERROR_SUCCESS = 0;
inline constexpr int32_t ERROR_FILE_NOT_FOUND = 2;
inline constexpr int32_t ERROR_INVALID_HANDLE = 6;
inline constexpr int32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr int32_t ERROR_BAD_PATHNAME = 161;
inline constexpr int32_t ERROR_ALREADY_EXISTS = 183;
inline constexpr int32_t ERROR_MORE_DATA = 234;
inline constexpr int32_t ERROR_BADDB = 1009;               // the hive is not a usable hive
inline constexpr int32_t ERROR_REGISTRY_IO_FAILED = 1016;  // the hive cannot be read or written
inline constexpr int32_t ERROR_KEY_DELETED = 1018;

}  // namespace reg
