#pragma once
// What the hive's operations speak in: the roots keys lie below, the types
// values are stored with and the outcome of an operation.

#include <cstdint>

namespace reg {

// The predefined keys at the top of the hive.
enum class Root {
    ClassesRoot,
    CurrentUser,
    LocalMachine,
    Users,
    CurrentConfig,
};

// A value's type. The numbers are what the hive file stores; a value may
// carry a number not named here, and keeps it.
enum class ValueType : uint32_t {
    None = 0,
    Text = 1,
    ExpandableText = 2,
    Binary = 3,
    Number32 = 4,
    TextList = 7,
    Number64 = 11,
};

enum class Status {
    Ok,
    NotFound,       // no such key or value, or no hive yet
    KeyMissing,     // a key expected to exist is gone
    AlreadyExists,  // a value not to be replaced is there
    BadPath,        // a key path with an empty or overlong name
    IsRoot,         // a root key cannot be deleted
    Damaged,        // the file is no usable hive
    Unusable,       // the file cannot be read or written
};

// Whether the hive file itself failed, as opposed to a key or value.
inline bool hiveFailed(Status s) {
    return s == Status::Damaged || s == Status::Unusable;
}

}  // namespace reg
