#pragma once
// The registry hive: one SQLite file holding keys below the predefined roots
// and their values. A Hive object is one use of it (by one thread at a time);
// every operation is one transaction, so a second running
// copy can read and write at the same time and a crash leaves either the old
// or the new state. Names are byte strings in the locale's charset; key names
// and value names match without regard to ASCII case and keep the spelling
// they were created with. Values keep their type and their exact bytes.

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "system/registry/HiveTypes.h"

struct sqlite3;

namespace reg {

// $XDG_CONFIG_HOME/tessaryn/registry.sqlite3 (see sys::configHome).
QString hivePath();

// The long name of a root as the hive stores it ("HKEY_CURRENT_USER").
QByteArray rootName(Root root);

struct Value {
    QByteArray name;
    ValueType type = ValueType::None;
    QByteArray data;
};

struct KeyListing {
    QByteArray path;            // below the root, with the stored spelling of each key
    std::vector<Value> values;  // in the order they were created
    QList<QByteArray> subkeys;  // names, sorted without regard to case
};

class Hive {
public:
    enum class Mode {
        Read,   // never creates the file, its folder or anything in it
        Write,  // creates the folder and an empty hive when missing
    };

    Hive(const QString& path, Mode mode);
    ~Hive();
    Hive(const Hive&) = delete;
    Hive& operator=(const Hive&) = delete;

    // A reader of a hive whose file or folder it cannot change (read-only,
    // by permissions or by their lack of write bits) reads without creating
    // anything next to it.
    //
    // Status::Ok when the hive can be used. Status::NotFound when it
    // does not exist yet (Read mode): every lookup then finds nothing.
    // Status::Damaged or Status::Unusable otherwise; the file is then
    // left exactly as it was.
    Status status() const { return status_; }
    // One line describing the last failure, for the user.
    const QString& errorText() const { return error_; }
    const QString& path() const { return path_; }

    // `subPath` is a backslash-separated path below `root` ("" is the root
    // itself). Missing keys give Status::NotFound.
    Status keyExists(Root root, const QByteArray& subPath);
    Status createKey(Root root, const QByteArray& subPath);
    Status queryValue(Root root, const QByteArray& subPath, const QByteArray& name, Value* out);
    // Creates or replaces the value. With `createPath` missing keys on the
    // way are created in the same transaction, otherwise a missing key gives
    // Status::KeyMissing. Without `replace` an existing value is left alone
    // and Status::AlreadyExists returned.
    Status setValue(Root root, const QByteArray& subPath, const QByteArray& name, ValueType type,
                    const QByteArray& data, bool createPath, bool replace = true);
    Status deleteValue(Root root, const QByteArray& subPath, const QByteArray& name);
    // Removes the key with everything below it. A root cannot be deleted.
    Status deleteKey(Root root, const QByteArray& subPath);
    Status listKey(Root root, const QByteArray& subPath, KeyListing* out);

    // Splits a key path into its names; false when a name is empty or too
    // long (one trailing backslash is allowed).
    static bool splitPath(const QByteArray& subPath, QList<QByteArray>* names);

private:
    class Transaction;

    bool openFile(Mode mode);
    bool prepareSchema(Mode mode);
    Status fail(Status code, const QString& what);
    Status sqliteFailure(int rc, const char* doing);
    // "The hive is damaged" with the way out, for the user.
    Status damaged(const QString& detail);
    Status begin(bool write);
    // Checks the whole file before the first write of the process.
    Status checkBeforeFirstWrite();
    Status finish(Status result);
    // Looks up (or, with `create`, makes) the key; *id is 0 when missing.
    Status resolve(Root root, const QByteArray& subPath, bool create, int64_t* id,
                   QByteArray* storedPath = nullptr);

    enum class Access { Read, Write, Create };
    // One transaction on an existing key (with Access::Create, missing keys
    // on the way are made): `body`, if any, runs with the key's id and the
    // transaction commits only when all went well. A missing key gives
    // `missing`.
    Status inKey(Root root, const QByteArray& subPath, Access access,
                 const std::function<Status(int64_t)>& body, Status missing = Status::NotFound,
                 QByteArray* storedPath = nullptr);
    // The result of a writing statement that stepped to `rc`; `unchanged`
    // when it changed no row, unless that is Status::Ok.
    Status written(int rc, Status unchanged);

    // The process's one shared connection is used by one Hive at a time.
    static std::recursive_mutex& connectionMutex();

    QString path_;
    std::unique_lock<std::recursive_mutex> lock_;
    sqlite3* db_ = nullptr;
    Status status_ = Status::Ok;
    QString error_;
    bool inTransaction_ = false;
    // A reader that must not change the file or its folder; its connection
    // is never kept for later calls.
    bool readOnly_ = false;
    bool checked_ = false;
};

}  // namespace reg
