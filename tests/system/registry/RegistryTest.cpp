// Reading and writing text values against a real hive in a temporary home.

#include <gtest/gtest.h>

#include <QFileInfo>

#include "HiveTestSupport.h"
#include "support/TempHome.h"
#include "system/registry/Registry.h"

using namespace hive_test;

namespace {

const QString kKey = QStringLiteral("Control Panel\\desktop");

class RegistryTest : public ::testing::Test {
protected:
    TempHome home_;
};

// What a value stored with these bytes reads back as.
struct ReadCase {
    const char* what;
    reg::ValueType type;
    QByteArray data;
    std::optional<QString> expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.what;
}

class TextRead : public RegistryTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(TextRead, ReadsUpToTheFirstZeroByteOfAtMost1024) {
    const ReadCase& c = GetParam();
    putRaw(kDesktop, "Value", c.type, c.data);
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, kKey, QStringLiteral("Value")), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Data, TextRead,
    ::testing::Values(
        ReadCase{"EmptyString", reg::ValueType::Text, QByteArray("", 1), QString()},
        ReadCase{"NoBytesAtAll", reg::ValueType::Text, QByteArray(), QString()},
        ReadCase{"Plain", reg::ValueType::Text, QByteArray("C:\\w.bmp", 9),
                 QStringLiteral("C:\\w.bmp")},
        ReadCase{"Fills1024WithTerminator", reg::ValueType::Text, QByteArray(1023, 'a') + '\0',
                 QString(1023, u'a')},
        ReadCase{"Needs1025", reg::ValueType::Text, QByteArray(1024, 'b') + '\0', std::nullopt},
        ReadCase{"NoTerminator", reg::ValueType::Text, QByteArray("12"), QStringLiteral("12")},
        ReadCase{"NoTerminatorExactly1024", reg::ValueType::Text, QByteArray(1024, 'c'),
                 QString(1024, u'c')},
        ReadCase{"ZeroInTheMiddle", reg::ValueType::Text, QByteArray("ab\0cd\0", 6),
                 QStringLiteral("ab")},
        ReadCase{"LeadingZero", reg::ValueType::Text, QByteArray("\0cd\0", 4), QString()},
        ReadCase{"DwordTakenAsText", reg::ValueType::Number32, QByteArray("\x37\x00\x00\x00", 4),
                 QStringLiteral("7")},
        ReadCase{"BinaryTakenAsText", reg::ValueType::Binary, QByteArray("-8"),
                 QStringLiteral("-8")},
        ReadCase{"Utf8Bytes", reg::ValueType::Text, QByteArray("\xe5\xa3\x81\xe7\xb4\x99\0", 7),
                 QStringLiteral("壁紙")}),
    [](const auto& test) { return std::string(test.param.what); });

TEST_F(RegistryTest, MissingValueKeyAndHiveAllReadNothing) {
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, kKey, QStringLiteral("Wallpaper")),
              std::nullopt);
    EXPECT_EQ(reg::hasKey(reg::Root::CurrentUser, kKey), false);
    EXPECT_FALSE(QFileInfo::exists(reg::hivePath())) << "a read created the hive";
    putRaw(kDesktop, "Other", reg::ValueType::Text, QByteArray("x", 2));
    EXPECT_EQ(reg::hasKey(reg::Root::CurrentUser, QStringLiteral("CONTROL PANEL\\Desktop")), true);
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, kKey, QStringLiteral("Wallpaper")),
              std::nullopt);
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, QStringLiteral("Control Panel\\nothing"),
                            QStringLiteral("Other")),
              std::nullopt);
}

TEST_F(RegistryTest, ReadingBelowAMissingPathCreatesNothing) {
    putRaw("Software", "Seed", reg::ValueType::Text, QByteArray("1", 2));
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, QStringLiteral("Software\\A\\B\\C"),
                            QStringLiteral("V")),
              std::nullopt);
    EXPECT_EQ(reg::hasKey(reg::Root::CurrentUser, QStringLiteral("Software\\A\\B")), false);
    EXPECT_FALSE(keyExists("Software\\A"));
}

class BadPath : public RegistryTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(BadPath, IsRefusedAndCreatesNothing) {
    putRaw("Software", "Seed", reg::ValueType::Text, QByteArray("", 1));
    const QString path = QString::fromLatin1(GetParam());
    EXPECT_FALSE(
        reg::writeText(reg::Root::CurrentUser, path, QStringLiteral("V"), QStringLiteral("x")));
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, path, QStringLiteral("V")), std::nullopt);
    reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Read);
    reg::KeyListing listing;
    ASSERT_EQ(hive.listKey(reg::Root::CurrentUser, "", &listing), reg::Status::Ok);
    EXPECT_EQ(listing.subkeys, QList<QByteArray>{"Software"});
    ASSERT_EQ(hive.listKey(reg::Root::CurrentUser, "Software", &listing), reg::Status::Ok);
    EXPECT_TRUE(listing.subkeys.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Paths, BadPath,
                         ::testing::Values("\\Software", "Software\\\\x", "a\\b\\\\",
                                           "Software\\" /* + a name over 255 bytes */
                                           "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                                           "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                                           "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                                           "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                                           "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                                           "xxxxxx"));

struct WriteCase {
    const char* what;
    QString text;
    QByteArray bytes;  // what the hive must hold afterwards
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.what;
}

class TextWrite : public RegistryTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(TextWrite, StoresTheLocaleBytesPlusOneZeroAsText) {
    const WriteCase& c = GetParam();
    ASSERT_TRUE(reg::writeText(reg::Root::CurrentUser, kKey, QStringLiteral("Value"), c.text));
    const auto v = stored(kDesktop, "Value");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->type, reg::ValueType::Text);
    EXPECT_EQ(v->data, c.bytes);
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, kKey, QStringLiteral("Value")), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Data, TextWrite,
    ::testing::Values(WriteCase{"Zero", QStringLiteral("0"), QByteArray("0", 2)},
                      WriteCase{"MinusHundredTwenty", QStringLiteral("-120"),
                                QByteArray("-120", 5)},
                      WriteCase{"Empty", QString(), QByteArray("", 1)},
                      WriteCase{"Japanese", QStringLiteral("壁紙のサイズ"),
                                QStringLiteral("壁紙のサイズ").toUtf8() + '\0'},
                      WriteCase{"Accented", QStringLiteral("/home/zoë/Tessavel.bmp"),
                                QByteArray("/home/zo\xc3\xab/Tessavel.bmp", 24)}),
    [](const auto& test) { return std::string(test.param.what); });

TEST_F(RegistryTest, WritingBelowAMissingPathCreatesTheWholePath) {
    EXPECT_TRUE(reg::writeText(reg::Root::CurrentUser, QStringLiteral("Software\\A\\B\\C"),
                               QStringLiteral("V"), QStringLiteral("deep")));
    EXPECT_TRUE(keyExists("Software\\A"));
    EXPECT_TRUE(keyExists("Software\\A\\B"));
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, QStringLiteral("Software\\A\\B\\C"),
                            QStringLiteral("V")),
              QStringLiteral("deep"));
}

TEST_F(RegistryTest, OtherLetterCasesFindTheSameKeyAndValue) {
    ASSERT_TRUE(reg::writeText(reg::Root::CurrentUser, QStringLiteral("Control Panel\\Desktop"),
                               QStringLiteral("WallpaperOriginX"), QStringLiteral("25")));
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, QStringLiteral("CONTROL PANEL\\desktop"),
                            QStringLiteral("wallpaperoriginx")),
              QStringLiteral("25"));
    // A rewrite under another spelling replaces the value, keeping the names
    // as first created.
    ASSERT_TRUE(reg::writeText(reg::Root::CurrentUser, QStringLiteral("control panel\\DESKTOP"),
                               QStringLiteral("WALLPAPERORIGINX"), QStringLiteral("-8")));
    reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Read);
    reg::KeyListing listing;
    ASSERT_EQ(hive.listKey(reg::Root::CurrentUser, "control panel\\desktop", &listing),
              reg::Status::Ok);
    EXPECT_EQ(listing.path, QByteArray("Control Panel\\Desktop"));
    ASSERT_EQ(listing.values.size(), 1u);
    EXPECT_EQ(listing.values[0].name, QByteArray("WallpaperOriginX"));
    EXPECT_EQ(listing.values[0].data, QByteArray("-8", 3));
}

TEST_F(RegistryTest, OnlyAsciiLettersFoldTogether) {
    ASSERT_TRUE(
        reg::writeText(reg::Root::CurrentUser, kKey, QStringLiteral("Größe"), QStringLiteral("1")));
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, kKey, QStringLiteral("gröSSE")), std::nullopt);
    EXPECT_EQ(reg::readText(reg::Root::CurrentUser, kKey, QStringLiteral("GRöße")),
              QStringLiteral("1"));
}

}  // namespace
