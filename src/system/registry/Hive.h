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

#include "system/registry/RegTypes.h"

struct sqlite3;

namespace reg {

// $XDG_CONFIG_HOME/tessaryn/registry.sqlite3 (~/.config when unset).
QString hivePath();

// The long name of a predefined root ("HKEY_CURRENT_USER"), or empty when
// `root` is not one.
QByteArray rootName(HKEY root);

struct Value {
    QByteArray name;
    uint32_t type = REG_NONE;
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
    // ERROR_SUCCESS when the hive can be used. ERROR_FILE_NOT_FOUND when it
    // does not exist yet (Read mode): every lookup then finds nothing.
    // ERROR_BADDB or ERROR_REGISTRY_IO_FAILED otherwise; the file is then
    // left exactly as it was.
    int32_t status() const { return status_; }
    // One line describing the last failure, for the user.
    const QString& errorText() const { return error_; }
    const QString& path() const { return path_; }

    // `subPath` is a backslash-separated path below `root` ("" is the root
    // itself). Missing keys give ERROR_FILE_NOT_FOUND.
    int32_t keyExists(HKEY root, const QByteArray& subPath);
    int32_t createKey(HKEY root, const QByteArray& subPath);
    int32_t queryValue(HKEY root, const QByteArray& subPath, const QByteArray& name, Value* out);
    // Creates or replaces the value. With `createPath` missing keys on the
    // way are created in the same transaction, otherwise a missing key gives
    // ERROR_KEY_DELETED. Without `replace` an existing value is left alone
    // and ERROR_ALREADY_EXISTS returned.
    int32_t setValue(HKEY root, const QByteArray& subPath, const QByteArray& name, uint32_t type,
                     const QByteArray& data, bool createPath, bool replace = true);
    int32_t deleteValue(HKEY root, const QByteArray& subPath, const QByteArray& name);
    // Removes the key with everything below it. A root cannot be deleted.
    int32_t deleteKey(HKEY root, const QByteArray& subPath);
    int32_t listKey(HKEY root, const QByteArray& subPath, KeyListing* out);

    // Splits a key path into its names; false when a name is empty or too
    // long (one trailing backslash is allowed).
    static bool splitPath(const QByteArray& subPath, QList<QByteArray>* names);

private:
    class Transaction;

    bool openFile(Mode mode);
    bool prepareSchema(Mode mode);
    int32_t fail(int32_t code, const QString& what);
    int32_t sqliteFailure(int rc, const char* doing);
    // "The hive is damaged" with the way out, for the user.
    int32_t damaged(const QString& detail);
    int32_t begin(bool write);
    // Checks the whole file before the first write of the process.
    int32_t checkBeforeFirstWrite();
    int32_t finish(int32_t result);
    // Looks up (or, with `create`, makes) the key; *id is 0 when missing.
    int32_t resolve(HKEY root, const QByteArray& subPath, bool create, int64_t* id,
                    QByteArray* storedPath = nullptr);

    enum class Access { Read, Write, Create };
    // One transaction on an existing key (with Access::Create, missing keys
    // on the way are made): `body`, if any, runs with the key's id and the
    // transaction commits only when all went well. A missing key gives
    // `missing`.
    int32_t inKey(HKEY root, const QByteArray& subPath, Access access,
                  const std::function<int32_t(int64_t)>& body,
                  int32_t missing = ERROR_FILE_NOT_FOUND, QByteArray* storedPath = nullptr);
    // The result of a writing statement that stepped to `rc`; `unchanged`
    // when it changed no row, unless that is ERROR_SUCCESS.
    int32_t written(int rc, int32_t unchanged);

    // The process's one shared connection is used by one Hive at a time.
    static std::recursive_mutex& connectionMutex();

    QString path_;
    std::unique_lock<std::recursive_mutex> lock_;
    sqlite3* db_ = nullptr;
    int32_t status_ = ERROR_SUCCESS;
    QString error_;
    bool inTransaction_ = false;
    // A reader that must not change the file or its folder; its connection
    // is never kept for later calls.
    bool readOnly_ = false;
    bool checked_ = false;
};

}  // namespace reg
