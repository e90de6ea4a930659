// A hive that cannot be used: its file is never changed, reads find nothing,
// writes fail, and one message goes to standard error.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "HiveTestSupport.h"
#include "support/TempHome.h"
#include "system/registry/Registry.h"

namespace {

QStringList* captured = nullptr;

void capture(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (captured != nullptr && type == QtWarningMsg) {
        captured->append(message);
    }
}

class HiveProblemTest : public ::testing::Test {
protected:
    void SetUp() override {
        captured = &messages_;
        previous_ = qInstallMessageHandler(capture);
    }
    void TearDown() override {
        qInstallMessageHandler(previous_);
        captured = nullptr;
    }

    void writeHiveFile(const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(reg::hivePath()).absolutePath());
        QFile f(reg::hivePath());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // Every entry point the program uses, run twice.
    void useTheRegistry() {
        for (int i = 0; i < 2; ++i) {
            EXPECT_FALSE(reg::writeText(reg::Root::CurrentUser,
                                        QStringLiteral("Control Panel\\desktop"),
                                        QStringLiteral("TileWallpaper"), QStringLiteral("0")));
            EXPECT_EQ(
                reg::readText(reg::Root::CurrentUser, QStringLiteral("Control Panel\\desktop"),
                              QStringLiteral("Wallpaper")),
                std::nullopt);
        }
    }

    TempHome home_;
    QStringList messages_;
    QtMessageHandler previous_ = nullptr;
};

struct BadFile {
    const char* what;
    QByteArray bytes;
};

void PrintTo(const BadFile& c, std::ostream* os) {
    *os << c.what;
}

class HiveBadFile : public HiveProblemTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(HiveBadFile, IsLeftUntouchedAndReportedOnce) {
    writeHiveFile(GetParam().bytes);
    useTheRegistry();
    EXPECT_EQ(reg::hasKey(reg::Root::CurrentUser, QStringLiteral("Control Panel")), std::nullopt);
    EXPECT_EQ(hive_test::fileBytes(reg::hivePath()), GetParam().bytes);
    const QStringList leftovers =
        QDir(QFileInfo(reg::hivePath()).absolutePath()).entryList(QDir::Files);
    EXPECT_EQ(leftovers, QStringList{QStringLiteral("registry.sqlite3")});
    ASSERT_EQ(messages_.size(), 1) << messages_.join(u'\n').toStdString();
    EXPECT_TRUE(messages_[0].contains(reg::hivePath())) << messages_[0].toStdString();
}

QByteArray foreignDatabase() {
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.filePath(QStringLiteral("other.db")));
    sqlite3* db = nullptr;
    sqlite3_open(path.constData(), &db);
    sqlite3_exec(db, "CREATE TABLE notes(t TEXT); INSERT INTO notes VALUES('keep me')", nullptr,
                 nullptr, nullptr);
    sqlite3_close(db);
    return hive_test::fileBytes(QFile::decodeName(path));
}

QByteArray damagedHive() {
    // A real hive whose pages after the header were overwritten.
    QByteArray bytes;
    {
        TempHome home;
        hive_test::putRaw("Control Panel\\desktop", "Wallpaper", reg::ValueType::Text,
                          QByteArray("w", 2));
        bytes = hive_test::fileBytes(reg::hivePath());
    }
    for (qsizetype i = 100; i < bytes.size(); ++i) {
        bytes[i] = '\x5c';
    }
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Files, HiveBadFile,
    ::testing::Values(BadFile{"Text", QByteArray("[HKEY_CURRENT_USER]\nWallpaper=x\n")},
                      BadFile{"Binary", QByteArray(5000, '\x01')},
                      BadFile{"ForeignDatabase", foreignDatabase()},
                      BadFile{"DamagedHive", damagedHive()}),
    [](const auto& test) { return std::string(test.param.what); });

TEST_F(HiveProblemTest, AHiveFolderThatCannotBeCreatedIsReportedOnce) {
    // XDG_CONFIG_HOME names a file, so the hive's folder cannot be made
    // (whoever runs the test, root included).
    const QString blocker = home_.root() + QStringLiteral("/not-a-folder");
    QFile f(blocker);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    qputenv("XDG_CONFIG_HOME", blocker.toLocal8Bit());
    useTheRegistry();
    EXPECT_EQ(hive_test::fileBytes(blocker), QByteArray("x"));
    EXPECT_EQ(messages_.size(), 1) << messages_.join(u'\n').toStdString();
}

TEST_F(HiveProblemTest, AnEmptyFileBecomesAHive) {
    // What a copy killed before its first write would leave behind.
    writeHiveFile(QByteArray());
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, QStringLiteral("Control Panel\\desktop"),
                            QStringLiteral("Wallpaper")),
              std::nullopt);
    EXPECT_TRUE(reg::writeText(reg::Root::CurrentUser, QStringLiteral("Control Panel\\desktop"),
                               QStringLiteral("Wallpaper"), QStringLiteral("/w.bmp")));
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, QStringLiteral("Control Panel\\desktop"),
                            QStringLiteral("Wallpaper")),
              QStringLiteral("/w.bmp"));
    EXPECT_TRUE(messages_.isEmpty()) << messages_.join(u'\n').toStdString();
}

}  // namespace
