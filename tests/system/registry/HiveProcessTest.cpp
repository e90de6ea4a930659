// Several real processes on one hive: concurrent writers lose nothing, and a
// writer killed at any moment leaves a readable hive holding a whole value.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QFile>
#include <QProcess>
#include <QThread>

#include "support/TempHome.h"
#include "system/registry/Hive.h"
#include "system/registry/Registry.h"

namespace {

const QString kKey = QStringLiteral("Software\\Tessaryn\\Stress");

QString integrity(const QString& path) {
    sqlite3* db = nullptr;
    QString result = QStringLiteral("cannot open");
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW) {
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return result;
}

class HiveProcessTest : public ::testing::Test {
protected:
    TempHome home_;
};

TEST_F(HiveProcessTest, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kCount = 150;
    // An existing hive and one this process keeps writing meanwhile.
    ASSERT_TRUE(reg::writeText(reg::Root::CurrentUser, kKey, QStringLiteral("Main"), QString()));
    QProcess a;
    QProcess b;
    a.start(QStringLiteral(HIVE_WRITER),
            {QStringLiteral("distinct"), QStringLiteral("A"), QString::number(kCount)});
    b.start(QStringLiteral(HIVE_WRITER),
            {QStringLiteral("distinct"), QStringLiteral("B"), QString::number(kCount)});
    ASSERT_TRUE(a.waitForStarted());
    ASSERT_TRUE(b.waitForStarted());
    int mine = 0;
    while (a.state() != QProcess::NotRunning || b.state() != QProcess::NotRunning) {
        EXPECT_TRUE(reg::writeText(reg::Root::CurrentUser, kKey, QStringLiteral("Main"),
                                   QString::number(mine)));
        ++mine;
        a.waitForFinished(1);
        b.waitForFinished(1);
    }
    ASSERT_EQ(a.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(b.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(a.exitCode(), 0) << "failed writes in A: " << a.readAllStandardError().toStdString();
    EXPECT_EQ(b.exitCode(), 0) << "failed writes in B: " << b.readAllStandardError().toStdString();
    for (int i = 0; i < kCount; ++i) {
        for (const char* prefix : {"A", "B"}) {
            EXPECT_EQ(reg::readText(reg::Root::CurrentUser, kKey,
                                    QLatin1String(prefix) + QString::number(i)),
                      QString::number(i))
                << prefix << i;
        }
    }
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, kKey, QStringLiteral("Main")),
              QString::number(mine - 1));
    EXPECT_EQ(integrity(reg::hivePath()), QStringLiteral("ok"));
}

class HiveKilledWriter : public HiveProcessTest, public ::testing::WithParamInterface<int> {};

TEST_P(HiveKilledWriter, LeavesAWholeOldOrNewValue) {
    constexpr int kSize = 1000;
    QProcess writer;
    writer.start(QStringLiteral(HIVE_WRITER), {QStringLiteral("repeat"), QString::number(kSize)});
    ASSERT_TRUE(writer.waitForReadyRead(10000)) << "the writer did not start";
    QThread::msleep(static_cast<unsigned long>(GetParam()));
    writer.kill();  // SIGKILL: no chance to finish the write under way
    ASSERT_TRUE(writer.waitForFinished(10000));

    const QString block =
        reg::readText(reg::Root::CurrentUser, kKey, QStringLiteral("Block")).value_or(QString());
    ASSERT_EQ(block.size(), kSize);
    EXPECT_EQ(block, QString(kSize, block[0])) << "a torn value";
    EXPECT_EQ(integrity(reg::hivePath()), QStringLiteral("ok"));
    // And the hive goes on working.
    EXPECT_TRUE(reg::writeText(reg::Root::CurrentUser, kKey, QStringLiteral("Block"),
                               QStringLiteral("after")));
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, kKey, QStringLiteral("Block")),
              QStringLiteral("after"));
}

// Different moments in the writer's cycle of open, write, commit, close.
INSTANTIATE_TEST_SUITE_P(AfterMilliseconds, HiveKilledWriter,
                         ::testing::Values(0, 7, 23, 50, 111, 203));

}  // namespace
