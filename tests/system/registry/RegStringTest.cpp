// RegGetString and RegSetString against a real hive in a temporary home.

#include <gtest/gtest.h>

#include <QFileInfo>

#include "HiveTestSupport.h"
#include "support/TempHome.h"
#include "system/registry/RegApi.h"
#include "system/registry/RegString.h"

using sys::RegGetString;
using sys::RegSetString;
using namespace hive_test;

namespace {

const QString kKey = QStringLiteral("Control Panel\\desktop");

class RegStringTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(reg::openKeyCount(), 0) << "a key handle was left open"; }
    TempHome home_;
};

// What a value stored with these bytes reads back as.
struct ReadCase {
    const char* what;
    uint32_t type;
    QByteArray data;
    QString expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.what;
}

class RegGetStringRead : public RegStringTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(RegGetStringRead, ReadsUpToTheFirstZeroByteWithinTheBuffer) {
    const ReadCase& c = GetParam();
    putRaw(kDesktop, "Value", c.type, c.data);
    EXPECT_EQ(RegGetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("Value")), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Data, RegGetStringRead,
    ::testing::Values(
        ReadCase{"EmptyString", reg::REG_SZ, QByteArray("", 1), QString()},
        ReadCase{"NoBytesAtAll", reg::REG_SZ, QByteArray(), QString()},
        ReadCase{"Plain", reg::REG_SZ, QByteArray("C:\\w.bmp", 9), QStringLiteral("C:\\w.bmp")},
        ReadCase{"Fills1024WithTerminator", reg::REG_SZ, QByteArray(1023, 'a') + '\0',
                 QString(1023, u'a')},
        ReadCase{"Needs1025", reg::REG_SZ, QByteArray(1024, 'b') + '\0', QString()},
        ReadCase{"NoTerminator", reg::REG_SZ, QByteArray("12"), QStringLiteral("12")},
        ReadCase{"NoTerminatorExactly1024", reg::REG_SZ, QByteArray(1024, 'c'),
                 QString(1024, u'c')},
        ReadCase{"ZeroInTheMiddle", reg::REG_SZ, QByteArray("ab\0cd\0", 6), QStringLiteral("ab")},
        ReadCase{"LeadingZero", reg::REG_SZ, QByteArray("\0cd\0", 4), QString()},
        ReadCase{"DwordTakenAsText", reg::REG_DWORD, QByteArray("\x37\x00\x00\x00", 4),
                 QStringLiteral("7")},
        ReadCase{"BinaryTakenAsText", reg::REG_BINARY, QByteArray("-8"), QStringLiteral("-8")},
        ReadCase{"Utf8Bytes", reg::REG_SZ, QByteArray("\xe5\xa3\x81\xe7\xb4\x99\0", 7),
                 QStringLiteral("壁紙")}),
    [](const auto& test) { return std::string(test.param.what); });

TEST_F(RegStringTest, MissingValueKeyAndHiveAllReadEmpty) {
    EXPECT_EQ(RegGetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("Wallpaper")), QString());
    EXPECT_FALSE(QFileInfo::exists(reg::hivePath())) << "a read created the hive";
    putRaw(kDesktop, "Other", reg::REG_SZ, QByteArray("x", 2));
    EXPECT_EQ(RegGetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("Wallpaper")), QString());
    EXPECT_EQ(RegGetString(reg::HKEY_CURRENT_USER, QStringLiteral("Control Panel\\nothing"),
                           QStringLiteral("Other")),
              QString());
}

TEST_F(RegStringTest, ReadingBelowAMissingPathCreatesNothing) {
    putRaw("Software", "Seed", reg::REG_SZ, QByteArray("1", 2));
    EXPECT_EQ(RegGetString(reg::HKEY_CURRENT_USER, QStringLiteral("Software\\A\\B\\C"),
                           QStringLiteral("V")),
              QString());
    EXPECT_FALSE(keyExists("Software\\A"));
}

struct WriteCase {
    const char* what;
    QString text;
    QByteArray bytes;  // what the hive must hold afterwards
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.what;
}

class RegSetStringWrite : public RegStringTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(RegSetStringWrite, StoresTheLocaleBytesPlusOneZeroAsRegSz) {
    const WriteCase& c = GetParam();
    ASSERT_EQ(RegSetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("Value"), c.text), -1);
    const auto v = stored(kDesktop, "Value");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->type, reg::REG_SZ);
    EXPECT_EQ(v->data, c.bytes);
    EXPECT_EQ(RegGetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("Value")), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Data, RegSetStringWrite,
    ::testing::Values(WriteCase{"Zero", QStringLiteral("0"), QByteArray("0", 2)},
                      WriteCase{"MinusHundredTwenty", QStringLiteral("-120"),
                                QByteArray("-120", 5)},
                      WriteCase{"Empty", QString(), QByteArray("", 1)},
                      WriteCase{"Japanese", QStringLiteral("壁紙のサイズ"),
                                QStringLiteral("壁紙のサイズ").toUtf8() + '\0'},
                      WriteCase{"Accented", QStringLiteral("/home/zoë/Tessavel.bmp"),
                                QByteArray("/home/zo\xc3\xab/Tessavel.bmp", 24)}),
    [](const auto& test) { return std::string(test.param.what); });

TEST_F(RegStringTest, WritingBelowAMissingPathCreatesTheWholePath) {
    EXPECT_EQ(RegSetString(reg::HKEY_CURRENT_USER, QStringLiteral("Software\\A\\B\\C"),
                           QStringLiteral("V"), QStringLiteral("deep")),
              -1);
    EXPECT_TRUE(keyExists("Software\\A"));
    EXPECT_TRUE(keyExists("Software\\A\\B"));
    EXPECT_EQ(RegGetString(reg::HKEY_CURRENT_USER, QStringLiteral("Software\\A\\B\\C"),
                           QStringLiteral("V")),
              QStringLiteral("deep"));
}

TEST_F(RegStringTest, OtherLetterCasesFindTheSameKeyAndValue) {
    ASSERT_EQ(RegSetString(reg::HKEY_CURRENT_USER, QStringLiteral("Control Panel\\Desktop"),
                           QStringLiteral("WallpaperOriginX"), QStringLiteral("25")),
              -1);
    EXPECT_EQ(RegGetString(reg::HKEY_CURRENT_USER, QStringLiteral("CONTROL PANEL\\desktop"),
                           QStringLiteral("wallpaperoriginx")),
              QStringLiteral("25"));
    // A rewrite under another spelling replaces the value, keeping the names
    // as first created.
    ASSERT_EQ(RegSetString(reg::HKEY_CURRENT_USER, QStringLiteral("control panel\\DESKTOP"),
                           QStringLiteral("WALLPAPERORIGINX"), QStringLiteral("-8")),
              -1);
    reg::Hive hive(reg::hivePath(), reg::Hive::Mode::Read);
    reg::KeyListing listing;
    ASSERT_EQ(hive.listKey(reg::HKEY_CURRENT_USER, "control panel\\desktop", &listing), 0);
    EXPECT_EQ(listing.path, QByteArray("Control Panel\\Desktop"));
    ASSERT_EQ(listing.values.size(), 1u);
    EXPECT_EQ(listing.values[0].name, QByteArray("WallpaperOriginX"));
    EXPECT_EQ(listing.values[0].data, QByteArray("-8", 3));
}

TEST_F(RegStringTest, OnlyAsciiLettersFoldTogether) {
    ASSERT_EQ(
        RegSetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("Größe"), QStringLiteral("1")),
        -1);
    EXPECT_EQ(RegGetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("gröSSE")), QString());
    EXPECT_EQ(RegGetString(reg::HKEY_CURRENT_USER, kKey, QStringLiteral("GRöße")),
              QStringLiteral("1"));
}

}  // namespace
