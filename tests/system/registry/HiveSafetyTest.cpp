// The hive's file kept safe: damage found before the first write is refused
// with the way out, and reads from a read-only file or folder work without
// leaving anything next to it.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include "HiveTestSupport.h"
#include "support/TempHome.h"
#include "system/registry/Registry.h"

namespace {

const QString kKey = QStringLiteral("Software\\Filler");

int64_t queryInt(sqlite3* db, const char* sql) {
    sqlite3_stmt* st = nullptr;
    int64_t v = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK &&
        sqlite3_step(st) == SQLITE_ROW) {
        v = sqlite3_column_int64(st, 0);
    }
    sqlite3_finalize(st);
    return v;
}

// A hive of 2000 values whose first leaf page of values has a broken page
// type: SQLite notices only when it reads that page, which writing to
// another key never does.
QByteArray hiveWithBrokenPage() {
    TempHome home;
    hive_test::putRaw(kKey.toUtf8(), "v0", reg::ValueType::Text, "x");
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(QFile::encodeName(reg::hivePath()).constData(), &db), SQLITE_OK);
    sqlite3_exec(db,
                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1999)"
                 " INSERT INTO vals(key, name, type, data)"
                 " SELECT (SELECT key FROM vals), 'v' || i, 1, zeroblob(40) FROM n",
                 nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
    const int64_t page =
        queryInt(db, "SELECT min(pageno) FROM dbstat WHERE name = 'vals' AND pagetype = 'leaf'");
    const int64_t pageSize = queryInt(db, "PRAGMA page_size");
    sqlite3_close(db);
    QByteArray bytes = hive_test::fileBytes(reg::hivePath());
    EXPECT_GT(page, 1);
    bytes[static_cast<qsizetype>((page - 1) * pageSize)] = '\x00';
    return bytes;
}

QStringList filesBeside(const QString& path) {
    return QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden);
}

void put(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(HiveSafety, DamageIsRefusedBeforeTheFirstWrite) {
    const QByteArray damaged = hiveWithBrokenPage();
    TempHome home;
    put(reg::hivePath(), damaged);
    QProcess tool;
    tool.start(QStringLiteral(REG_TOOL),
               {"add", "HKCU\\Control Panel\\desktop", "/v", "Wallpaper", "/d", "/w.bmp", "/f"});
    ASSERT_TRUE(tool.waitForFinished(30000));
    const QString err = QString::fromUtf8(tool.readAllStandardError());
    EXPECT_EQ(tool.exitCode(), 1) << err.toStdString();
    EXPECT_TRUE(err.contains(reg::hivePath())) << err.toStdString();
    EXPECT_TRUE(err.contains("the hive is damaged")) << err.toStdString();
    EXPECT_TRUE(err.contains("move the file aside to start a fresh hive")) << err.toStdString();
    EXPECT_FALSE(reg::writeText(reg::Root::CurrentUser, QStringLiteral("Control Panel\\desktop"),
                                QStringLiteral("Wallpaper"), QStringLiteral("/w.bmp")));
    EXPECT_EQ(hive_test::fileBytes(reg::hivePath()), damaged);

    // Moved aside, a fresh hive takes the write.
    ASSERT_TRUE(QFile::rename(reg::hivePath(), reg::hivePath() + ".damaged"));
    EXPECT_TRUE(reg::writeText(reg::Root::CurrentUser, QStringLiteral("Control Panel\\desktop"),
                               QStringLiteral("Wallpaper"), QStringLiteral("/w.bmp")));
}

// A read-only hive file, a read-only folder, and (when the test runs as root)
// the same read by an ordinary user: the value reads, nothing is left beside.
TEST(HiveSafety, ReadOnlyHiveReadsWithoutLeftovers) {
    TempHome home;
    hive_test::putRaw("Control Panel\\desktop", "Wallpaper", reg::ValueType::Text,
                      QByteArray("/w.bmp", 7));
    const QString folder = QFileInfo(reg::hivePath()).absolutePath();
    // Another path first, so that this process's connection to the hive
    // closes and a new reader opens it.
    {
        TempHome other;
        hive_test::putRaw("k", "v", reg::ValueType::Text, "x");
    }
    ASSERT_EQ(filesBeside(reg::hivePath()), QStringList{"registry.sqlite3"});
    const QByteArray before = hive_test::fileBytes(reg::hivePath());

    const struct {
        const char* what;
        mode_t file, dir;
    } cases[] = {{"read-only file", 0444, 0755}, {"read-only folder", 0644, 0555}};
    for (const auto& c : cases) {
        ::chmod(QFile::encodeName(reg::hivePath()).constData(), c.file);
        ::chmod(QFile::encodeName(folder).constData(), c.dir);
        EXPECT_EQ(reg::readText(reg::Root::CurrentUser, QStringLiteral("Control Panel\\desktop"),
                                QStringLiteral("Wallpaper")),
                  QStringLiteral("/w.bmp"))
            << c.what;
        EXPECT_EQ(filesBeside(reg::hivePath()), QStringList{"registry.sqlite3"}) << c.what;

        const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
        if (::geteuid() == 0 && !setpriv.isEmpty()) {
            for (QString d = folder; d.startsWith(home.root()); d = QFileInfo(d).path()) {
                ::chmod(QFile::encodeName(d).constData(), d == folder ? c.dir : 0755);
            }
            QProcess tool;
            tool.start(setpriv, {"--reuid=65534", "--regid=65534", "--clear-groups",
                                 QStringLiteral(REG_TOOL), "query", "HKCU\\Control Panel\\desktop",
                                 "/v", "Wallpaper"});
            ASSERT_TRUE(tool.waitForFinished(30000));
            EXPECT_EQ(tool.exitCode(), 0) << c.what << ": " << tool.readAllStandardError().data();
            EXPECT_TRUE(tool.readAllStandardOutput().contains("/w.bmp")) << c.what;
            EXPECT_EQ(filesBeside(reg::hivePath()), QStringList{"registry.sqlite3"}) << c.what;
        }
    }
    ::chmod(QFile::encodeName(folder).constData(), 0755);
    EXPECT_EQ(hive_test::fileBytes(reg::hivePath()), before);
}

}  // namespace
