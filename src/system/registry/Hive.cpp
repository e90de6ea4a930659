#include "system/registry/Hive.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include "system/XdgFolders.h"
#include "toolkit/Translations.h"
#include "toolkit/files/RegularFiles.h"

namespace reg {

namespace {

// "TSRY": marks a file as one of our hives, so that no other database is
// ever taken for one and changed.
constexpr int64_t kApplicationId = 0x54535259;
constexpr int kSchemaVersion = 1;
// How long a call waits for another process's write before it gives up.
constexpr int kBusyTimeoutMs = 10000;
// Windows' limit for one key name.
constexpr qsizetype kMaxKeyName = 255;

// Each root's row in the keys table and its stored name.
struct RootRow {
    Root root;
    int64_t id;
    const char* name;
};

constexpr RootRow kRoots[] = {
    {Root::ClassesRoot, 1, "HKEY_CLASSES_ROOT"},     {Root::CurrentUser, 2, "HKEY_CURRENT_USER"},
    {Root::LocalMachine, 3, "HKEY_LOCAL_MACHINE"},   {Root::Users, 4, "HKEY_USERS"},
    {Root::CurrentConfig, 6, "HKEY_CURRENT_CONFIG"},
};

const RootRow& rootRow(Root root) {
    for (const RootRow& r : kRoots) {
        if (r.root == root) {
            return r;
        }
    }
    return kRoots[1];  // not reached: every root has its row
}

const char* const kSchema[] = {
    "CREATE TABLE keys("
    " id INTEGER PRIMARY KEY,"
    " parent INTEGER REFERENCES keys(id) ON DELETE CASCADE,"
    " name TEXT NOT NULL COLLATE NOCASE)",
    "CREATE UNIQUE INDEX keys_by_parent ON keys(parent, name)",
    "CREATE TABLE vals("
    " id INTEGER PRIMARY KEY,"
    " key INTEGER NOT NULL REFERENCES keys(id) ON DELETE CASCADE,"
    " name TEXT NOT NULL COLLATE NOCASE,"
    " type INTEGER NOT NULL,"
    " data BLOB NOT NULL)",
    "CREATE UNIQUE INDEX vals_by_key ON vals(key, name)",
    "INSERT INTO keys(id, parent, name) VALUES"
    " (1, NULL, 'HKEY_CLASSES_ROOT'), (2, NULL, 'HKEY_CURRENT_USER'),"
    " (3, NULL, 'HKEY_LOCAL_MACHINE'), (4, NULL, 'HKEY_USERS'),"
    " (6, NULL, 'HKEY_CURRENT_CONFIG')",
};

// One prepared statement, finalized when it goes out of scope.
class Statement {
public:
    Statement(sqlite3* db, const char* sql) {
        rc_ = sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr);
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    int prepared() const { return rc_; }

    void bind(int i, int64_t v) { sqlite3_bind_int64(stmt_, i, v); }
    void bindText(int i, const QByteArray& v) {
        sqlite3_bind_text(stmt_, i, v.constData(), static_cast<int>(v.size()), SQLITE_TRANSIENT);
    }
    void bindBlob(int i, const QByteArray& v) {
        // An empty blob must stay a blob, not become NULL.
        if (v.isEmpty()) {
            sqlite3_bind_zeroblob(stmt_, i, 0);
        } else {
            sqlite3_bind_blob(stmt_, i, v.constData(), static_cast<int>(v.size()),
                              SQLITE_TRANSIENT);
        }
    }

    int step() { return sqlite3_step(stmt_); }
    void reset() { sqlite3_reset(stmt_); }

    int64_t int64(int col) const { return sqlite3_column_int64(stmt_, col); }
    QByteArray bytes(int col) const {
        const void* p = sqlite3_column_blob(stmt_, col);
        const int n = sqlite3_column_bytes(stmt_, col);
        return p != nullptr ? QByteArray(static_cast<const char*>(p), n) : QByteArray("");
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
    int rc_ = SQLITE_OK;
};

// The process keeps one connection open between calls: opening a hive in
// WAL mode costs far more than the transaction itself.
struct Connection {
    QString path;
    sqlite3* db = nullptr;
    dev_t device = 0;
    ino_t inode = 0;
    bool checked = false;  // the integrity check before the first write passed

    void close() {
        sqlite3_close_v2(db);
        db = nullptr;
    }
};

struct ConnectionHolder {
    Connection connection;
    ~ConnectionHolder() { connection.close(); }
};

Connection& connection() {
    static ConnectionHolder holder;
    return holder.connection;
}

// Whether the running user may change `path`: it has a write permission bit
// (root ignores permissions, but not a file or folder made read-only) and
// access() allows writing.
bool changeable(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat st {};
    return ::stat(native.constData(), &st) == 0 && (st.st_mode & 0222) != 0 &&
           ::access(native.constData(), W_OK) == 0;
}

// An SQLite URI for `path` with the given query.
QByteArray fileUri(const QString& path, const char* query) {
    return "file:" + QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath(), "/") + "?" + query;
}

}  // namespace

// Held for a Hive's lifetime, so that no two threads use the process's one
// shared connection at once.
std::recursive_mutex& Hive::connectionMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

QString hivePath() {
    return sys::configHome() + QStringLiteral("/tessaryn/registry.sqlite3");
}

QByteArray rootName(Root root) {
    return QByteArray(rootRow(root).name);
}

bool Hive::splitPath(const QByteArray& subPath, QList<QByteArray>* names) {
    names->clear();
    if (subPath.isEmpty()) {
        return true;
    }
    QByteArray p = subPath;
    if (p.endsWith('\\')) {
        p.chop(1);
    }
    for (const QByteArray& n : p.split('\\')) {
        if (n.isEmpty() || n.size() > kMaxKeyName) {
            names->clear();
            return false;
        }
        names->append(n);
    }
    return true;
}

Hive::Hive(const QString& path, Mode mode) : path_(path), lock_(connectionMutex()) {
    // The connection of the last call is used again while the file is the
    // same one; a hive replaced or removed in between is opened afresh.
    struct stat st {};
    const bool exists = ::stat(QFile::encodeName(path_).constData(), &st) == 0;
    Connection& c = connection();
    if (c.db != nullptr &&
        (c.path != path_ || !exists || c.device != st.st_dev || c.inode != st.st_ino)) {
        c.close();
    }
    if (c.db != nullptr) {
        db_ = c.db;
        return;
    }
    if (openFile(mode) && prepareSchema(mode) && !readOnly_ &&
        ::stat(QFile::encodeName(path_).constData(), &st) == 0) {
        c = Connection{path_, db_, st.st_dev, st.st_ino};
    }
}

Hive::~Hive() {
    if (db_ != nullptr) {
        if (inTransaction_) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        }
        if (db_ != connection().db) {
            sqlite3_close_v2(db_);
        }
    }
}

Status Hive::fail(Status code, const QString& what) {
    error_ = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path_), what);
    return code;
}

namespace {

// What could not be done to the hive, as one whole sentence for translators.
QString cannotText(const char* doing) {
    const QLatin1String step(doing);
    if (step == QLatin1String("open")) {
        return tk::Text::tr("cannot open the hive (%1)");
    }
    if (step == QLatin1String("write")) {
        return tk::Text::tr("cannot write the hive (%1)");
    }
    if (step == QLatin1String("set up")) {
        return tk::Text::tr("cannot set up the hive (%1)");
    }
    if (step == QLatin1String("check")) {
        return tk::Text::tr("cannot check the hive (%1)");
    }
    return tk::Text::tr("cannot read the hive (%1)");
}

}  // namespace

Status Hive::sqliteFailure(int rc, const char* doing) {
    const QString detail = db_ != nullptr ? QString::fromUtf8(sqlite3_errmsg(db_))
                                          : QString::fromUtf8(sqlite3_errstr(rc));
    switch (rc & 0xff) {
        case SQLITE_NOTADB:
            return fail(Status::Damaged, tk::Text::tr("not a registry hive (%1)").arg(detail));
        case SQLITE_CORRUPT:
            return damaged(detail);
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return fail(Status::Unusable,
                        tk::Text::tr("another process keeps the hive busy (%1)").arg(detail));
        default:
            return fail(Status::Unusable, cannotText(doing).arg(detail));
    }
}

Status Hive::damaged(const QString& detail) {
    QString what = detail;
    what.remove(QStringLiteral("*** in database main *** "));
    return fail(Status::Damaged,
                tk::Text::tr("the hive is damaged (%1); move the file aside to start a fresh "
                             "hive (the program then reads the desktop's live settings again)")
                    .arg(what.simplified()));
}

bool Hive::openFile(Mode mode) {
    const QFileInfo info(path_);
    if (mode == Mode::Read) {
        if (!info.exists()) {
            status_ = Status::NotFound;
            return false;
        }
    } else if (!QDir().mkpath(info.absolutePath())) {
        status_ = fail(Status::Unusable, tk::Text::tr("cannot create the folder %1")
                                             .arg(QDir::toNativeSeparators(info.absolutePath())));
        return false;
    }
    if (info.isDir()) {
        status_ = fail(Status::Unusable, tk::Text::tr("is a folder, not a hive file"));
        return false;
    }
    // SQLite would wait for ever on a FIFO.
    if (struct stat st{}; ::stat(QFile::encodeName(path_).constData(), &st) == 0) {
        if (const QString why = files::notRegular(st.st_mode); !why.isEmpty()) {
            status_ = fail(Status::Unusable, why);
            return false;
        }
    }
    // A reader that cannot change the file or its folder must not make the
    // -wal and -shm files a WAL hive asks for: it could not remove them, or
    // could not create them and would fail. While no -wal file exists, the
    // file itself holds everything committed and is read as it stands.
    readOnly_ = mode == Mode::Read && (!changeable(path_) || !changeable(info.absolutePath()));
    const bool plain = readOnly_ && QFileInfo(path_ + QStringLiteral("-wal")).size() > 0;
    QByteArray name = QFile::encodeName(path_);
    int flags = SQLITE_OPEN_READWRITE | (mode == Mode::Write ? SQLITE_OPEN_CREATE : 0);
    if (readOnly_) {
        flags = SQLITE_OPEN_READONLY;
        if (!plain) {
            name = fileUri(path_, "immutable=1");
            flags |= SQLITE_OPEN_URI;
        }
    }
    const int rc = sqlite3_open_v2(name.constData(), &db_, flags, nullptr);
    if (rc != SQLITE_OK) {
        status_ = sqliteFailure(rc, "open");
        return false;
    }
    sqlite3_extended_result_codes(db_, 1);
    sqlite3_busy_timeout(db_, kBusyTimeoutMs);
    return true;
}

bool Hive::prepareSchema(Mode mode) {
    // Decide what the file is before anything could write to it.
    auto inspect = [this](int64_t* appId, int64_t* objects) -> int {
        Statement id(db_, "PRAGMA application_id");
        int rc = id.prepared();
        if (rc == SQLITE_OK && (rc = id.step()) == SQLITE_ROW) {
            *appId = id.int64(0);
            Statement count(db_, "SELECT count(*) FROM sqlite_master");
            rc = count.prepared();
            if (rc == SQLITE_OK && (rc = count.step()) == SQLITE_ROW) {
                *objects = count.int64(0);
                return SQLITE_OK;
            }
        }
        return rc;
    };
    int64_t appId = 0;
    int64_t objects = 0;
    int rc = inspect(&appId, &objects);
    if (rc != SQLITE_OK) {
        status_ = sqliteFailure(rc, "read");
        return false;
    }
    const bool empty = appId == 0 && objects == 0;
    if (appId != kApplicationId && !empty) {
        status_ =
            fail(Status::Damaged, tk::Text::tr("holds a database that is not a registry hive"));
        return false;
    }
    if (empty) {
        if (mode == Mode::Read) {
            status_ = Status::NotFound;  // an empty file is a hive with nothing in it yet
            return false;
        }
        // WAL lets readers and a writer of other processes work side by side.
        // It must be chosen outside a transaction; where the file system
        // cannot do it, the rollback journal still keeps every write whole.
        sqlite3_exec(db_, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr);
        rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            status_ = sqliteFailure(rc, "write");
            return false;
        }
        inTransaction_ = true;
        // Another copy may have set the hive up while this one waited.
        rc = inspect(&appId, &objects);
        if (rc == SQLITE_OK && appId == 0 && objects == 0) {
            for (const char* sql : kSchema) {
                if ((rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr)) != SQLITE_OK) {
                    break;
                }
            }
            if (rc == SQLITE_OK) {
                const QByteArray pragmas =
                    QByteArray("PRAGMA application_id=") + QByteArray::number(kApplicationId) +
                    ";PRAGMA user_version=" + QByteArray::number(kSchemaVersion);
                rc = sqlite3_exec(db_, pragmas.constData(), nullptr, nullptr, nullptr);
            }
        } else if (rc == SQLITE_OK && appId != kApplicationId) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            inTransaction_ = false;
            status_ =
                fail(Status::Damaged, tk::Text::tr("holds a database that is not a registry hive"));
            return false;
        }
        if (rc == SQLITE_OK) {
            rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        }
        if (rc != SQLITE_OK) {
            status_ = sqliteFailure(rc, "set up");
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            inTransaction_ = false;
            return false;
        }
        inTransaction_ = false;
    }
    // NORMAL with WAL: a crashed process never loses or tears a committed
    // write; a power cut may at worst roll back to the previous value.
    rc = sqlite3_exec(db_, "PRAGMA foreign_keys=ON;PRAGMA synchronous=NORMAL", nullptr, nullptr,
                      nullptr);
    if (rc != SQLITE_OK) {
        status_ = sqliteFailure(rc, "read");
        return false;
    }
    status_ = Status::Ok;
    return true;
}

Status Hive::begin(bool write) {
    if (status_ != Status::Ok) {
        return status_;
    }
    // IMMEDIATE takes the write lock up front: a deferred transaction that
    // later wants to write could meet a busy hive the timeout cannot cure.
    const int rc =
        sqlite3_exec(db_, write ? "BEGIN IMMEDIATE" : "BEGIN", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        return sqliteFailure(rc, write ? "write" : "read");
    }
    inTransaction_ = true;
    if (write) {
        const Status r = checkBeforeFirstWrite();
        if (r != Status::Ok) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            inTransaction_ = false;
            return r;
        }
    }
    return Status::Ok;
}

Status Hive::checkBeforeFirstWrite() {
    // SQLite notices a damaged page only when it reads it, and a write reads
    // few pages: it would go on building on a damaged file. So before the
    // first write of a process (inside its transaction, so the state checked
    // is the state written to) the whole file is checked once. The check
    // sees damaged pages and indexes that disagree with their tables, but
    // not a changed byte inside a record, which SQLite keeps no checksum of.
    Connection& c = connection();
    const bool shared = db_ == c.db;
    if ((shared && c.checked) || checked_) {
        return Status::Ok;
    }
    Statement check(db_, "PRAGMA integrity_check(1)");
    int rc = check.prepared();
    if (rc == SQLITE_OK) {
        rc = check.step();
    }
    if (rc != SQLITE_ROW) {
        return (rc & 0xff) == SQLITE_CORRUPT || (rc & 0xff) == SQLITE_NOTADB
                   ? damaged(QString::fromUtf8(sqlite3_errmsg(db_)))
                   : sqliteFailure(rc, "check");
    }
    const QByteArray result = check.bytes(0);
    if (result != "ok") {
        return damaged(QString::fromUtf8(result));
    }
    checked_ = true;
    if (shared) {
        c.checked = true;
    }
    return Status::Ok;
}

Status Hive::finish(Status result) {
    if (!inTransaction_) {
        return result;
    }
    inTransaction_ = false;
    if (result == Status::Ok) {
        const int rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
            return sqliteFailure(rc, "write");
        }
        return result;
    }
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    return result;
}

Status Hive::resolve(Root root, const QByteArray& subPath, bool create, int64_t* id,
                     QByteArray* storedPath) {
    *id = 0;
    QList<QByteArray> names;
    if (!splitPath(subPath, &names)) {
        return Status::BadPath;
    }
    int64_t current = rootRow(root).id;
    QByteArray stored;
    Statement find(db_, "SELECT id, name FROM keys WHERE parent = ?1 AND name = ?2");
    if (find.prepared() != SQLITE_OK) {
        return sqliteFailure(find.prepared(), "read");
    }
    for (const QByteArray& name : names) {
        find.reset();
        find.bind(1, current);
        find.bindText(2, name);
        const int rc = find.step();
        if (rc == SQLITE_ROW) {
            current = find.int64(0);
            stored += (stored.isEmpty() ? "" : "\\") + find.bytes(1);
        } else if (rc != SQLITE_DONE) {
            return sqliteFailure(rc, "read");
        } else if (create) {
            Statement insert(db_, "INSERT INTO keys(parent, name) VALUES(?1, ?2)");
            insert.bind(1, current);
            insert.bindText(2, name);
            const int irc = insert.step();
            if (irc != SQLITE_DONE) {
                return sqliteFailure(irc, "write");
            }
            current = sqlite3_last_insert_rowid(db_);
            stored += (stored.isEmpty() ? "" : "\\") + name;
        } else {
            return Status::NotFound;
        }
    }
    *id = current;
    if (storedPath != nullptr) {
        *storedPath = stored;
    }
    return Status::Ok;
}

Status Hive::inKey(Root root, const QByteArray& subPath, Access access,
                   const std::function<Status(int64_t)>& body, Status missing,
                   QByteArray* storedPath) {
    Status r = begin(access != Access::Read);
    if (r != Status::Ok) {
        return r;
    }
    int64_t key = 0;
    r = resolve(root, subPath, access == Access::Create, &key, storedPath);
    if (r == Status::NotFound) {
        r = missing;
    }
    if (r == Status::Ok && body) {
        r = body(key);
    }
    return finish(r);
}

Status Hive::written(int rc, Status unchanged) {
    if (rc != SQLITE_DONE) {
        return sqliteFailure(rc, "write");
    }
    if (unchanged != Status::Ok && sqlite3_changes(db_) == 0) {
        return unchanged;
    }
    return Status::Ok;
}

Status Hive::keyExists(Root root, const QByteArray& subPath) {
    return inKey(root, subPath, Access::Read, {});
}

Status Hive::createKey(Root root, const QByteArray& subPath) {
    return inKey(root, subPath, Access::Create, {});
}

Status Hive::queryValue(Root root, const QByteArray& subPath, const QByteArray& name, Value* out) {
    return inKey(root, subPath, Access::Read, [&](int64_t key) {
        Statement q(db_, "SELECT name, type, data FROM vals WHERE key = ?1 AND name = ?2");
        q.bind(1, key);
        q.bindText(2, name);
        const int rc = q.step();
        if (rc != SQLITE_ROW) {
            return rc == SQLITE_DONE ? Status::NotFound : sqliteFailure(rc, "read");
        }
        out->name = q.bytes(0);
        out->type = static_cast<ValueType>(q.int64(1));
        out->data = q.bytes(2);
        return Status::Ok;
    });
}

Status Hive::setValue(Root root, const QByteArray& subPath, const QByteArray& name, ValueType type,
                      const QByteArray& data, bool createPath, bool replace) {
    // A missing key means the handle's key went away since it was opened.
    return inKey(
        root, subPath, createPath ? Access::Create : Access::Write,
        [&](int64_t key) {
            // An existing value keeps the spelling of its name.
            Statement up(db_, replace
                                  ? "INSERT INTO vals(key, name, type, data) VALUES(?1, ?2, ?3, ?4)"
                                    " ON CONFLICT(key, name) DO UPDATE SET type = excluded.type,"
                                    " data = excluded.data"
                                  : "INSERT INTO vals(key, name, type, data) VALUES(?1, ?2, ?3, ?4)"
                                    " ON CONFLICT(key, name) DO NOTHING");
            up.bind(1, key);
            up.bindText(2, name);
            up.bind(3, static_cast<int64_t>(type));
            up.bindBlob(4, data);
            return written(up.step(), Status::AlreadyExists);
        },
        Status::KeyMissing);
}

Status Hive::deleteValue(Root root, const QByteArray& subPath, const QByteArray& name) {
    return inKey(root, subPath, Access::Write, [&](int64_t key) {
        Statement del(db_, "DELETE FROM vals WHERE key = ?1 AND name = ?2");
        del.bind(1, key);
        del.bindText(2, name);
        return written(del.step(), Status::NotFound);
    });
}

Status Hive::deleteKey(Root root, const QByteArray& subPath) {
    QList<QByteArray> names;
    if (!splitPath(subPath, &names)) {
        return Status::BadPath;
    }
    if (names.isEmpty()) {
        return Status::IsRoot;  // the predefined roots stay
    }
    return inKey(root, subPath, Access::Write, [&](int64_t key) {
        // Subkeys and values follow through ON DELETE CASCADE.
        Statement del(db_, "DELETE FROM keys WHERE id = ?1");
        del.bind(1, key);
        return written(del.step(), Status::Ok);
    });
}

Status Hive::listKey(Root root, const QByteArray& subPath, KeyListing* out) {
    return inKey(
        root, subPath, Access::Read,
        [&](int64_t key) {
            out->values.clear();
            out->subkeys.clear();
            Statement vals(db_, "SELECT name, type, data FROM vals WHERE key = ?1 ORDER BY id");
            vals.bind(1, key);
            int rc = SQLITE_ROW;
            while ((rc = vals.step()) == SQLITE_ROW) {
                out->values.push_back(
                    Value{vals.bytes(0), static_cast<ValueType>(vals.int64(1)), vals.bytes(2)});
            }
            if (rc == SQLITE_DONE) {
                Statement subs(db_, "SELECT name FROM keys WHERE parent = ?1 ORDER BY name");
                subs.bind(1, key);
                while ((rc = subs.step()) == SQLITE_ROW) {
                    out->subkeys.append(subs.bytes(0));
                }
            }
            return rc == SQLITE_DONE ? Status::Ok : sqliteFailure(rc, "read");
        },
        Status::NotFound, &out->path);
}

}  // namespace reg
