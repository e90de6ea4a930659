// The Windows-named registry calls: result codes, handles and exact bytes.

#include <gtest/gtest.h>

#include <QFileInfo>
#include <array>

#include "HiveTestSupport.h"
#include "support/TempHome.h"
#include "system/registry/RegApi.h"

using namespace reg;
using namespace hive_test;

namespace {

class RegApiTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(openKeyCount(), 0) << "a key handle was left open"; }

    HKEY create(const char* path) {
        HKEY h = 0;
        EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, path, &h), ERROR_SUCCESS);
        return h;
    }

    TempHome home_;
};

TEST_F(RegApiTest, OpeningAMissingKeyEmptiesTheHandleAndCreatesNothing) {
    HKEY h = 0xdeadu;
    EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\desktop", &h), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(h, 0u);
    EXPECT_FALSE(QFileInfo::exists(hivePath()));

    putRaw("Control Panel", "Seed", REG_SZ, QByteArray("", 1));
    h = 0xdeadu;
    EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\desktop\\sub", &h),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(h, 0u);
    EXPECT_FALSE(keyExists("Control Panel\\desktop"));
}

TEST_F(RegApiTest, ATooSmallBufferIsLeftUntouchedAndTheNeededSizeReported) {
    putRaw(kDesktop, "Wallpaper", REG_SZ, QByteArray("/tmp/w.bmp", 11));
    HKEY h = 0;
    ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel\\desktop", &h), ERROR_SUCCESS);
    std::array<uint8_t, 8> buffer;
    buffer.fill(0xaa);
    uint32_t size = buffer.size();
    uint32_t type = 99;
    EXPECT_EQ(RegQueryValueExA(h, "Wallpaper", nullptr, &type, buffer.data(), &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 11u);
    for (const uint8_t b : buffer) {
        EXPECT_EQ(b, 0xaa);
    }
    // Asking for the size alone succeeds.
    size = 0;
    EXPECT_EQ(RegQueryValueExA(h, "Wallpaper", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 11u);
    EXPECT_EQ(type, REG_SZ);
    RegCloseKey(h);
}

struct BytesCase {
    const char* what;
    uint32_t type;
    QByteArray data;
};

void PrintTo(const BytesCase& c, std::ostream* os) {
    *os << c.what;
}

class RegApiBytes : public RegApiTest, public ::testing::WithParamInterface<BytesCase> {};

TEST_P(RegApiBytes, EveryValueComesBackWithItsTypeAndExactBytes) {
    const BytesCase& c = GetParam();
    const HKEY h = create("Software\\Tessaryn");
    ASSERT_EQ(
        RegSetValueExA(h, "V", 0, c.type, reinterpret_cast<const uint8_t*>(c.data.constData()),
                       static_cast<uint32_t>(c.data.size())),
        ERROR_SUCCESS);
    RegCloseKey(h);

    HKEY r = 0;
    ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Software\\Tessaryn", &r), ERROR_SUCCESS);
    QByteArray buffer(c.data.size() + 16, '\x5a');
    uint32_t size = static_cast<uint32_t>(buffer.size());
    uint32_t type = 0xffff;
    ASSERT_EQ(
        RegQueryValueExA(r, "V", nullptr, &type, reinterpret_cast<uint8_t*>(buffer.data()), &size),
        ERROR_SUCCESS);
    RegCloseKey(r);
    EXPECT_EQ(type, c.type);
    ASSERT_EQ(size, static_cast<uint32_t>(c.data.size()));
    EXPECT_EQ(buffer.left(size), c.data);
    EXPECT_EQ(buffer.mid(size), QByteArray(16, '\x5a')) << "written past the data";
}

QByteArray allBytes() {
    QByteArray b;
    for (int i = 0; i < 256; ++i) {
        b.append(static_cast<char>(i));
    }
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Data, RegApiBytes,
    ::testing::Values(BytesCase{"StringWithTerminator", REG_SZ, QByteArray("abc", 4)},
                      BytesCase{"StringWithoutTerminator", REG_SZ, QByteArray("abc")},
                      BytesCase{"EmptyBinary", REG_BINARY, QByteArray()},
                      BytesCase{"EveryByteValue", REG_BINARY, allBytes()},
                      BytesCase{"Dword", REG_DWORD, QByteArray("\x01\x00\x00\x80", 4)},
                      BytesCase{"MultiString", REG_MULTI_SZ, QByteArray("a\0bc\0\0", 6)},
                      BytesCase{"UnknownType", 0x4242u, QByteArray("\xff\xfe", 2)},
                      BytesCase{"LargerThanAPage", REG_BINARY, allBytes().repeated(400)}),
    [](const auto& test) { return std::string(test.param.what); });

TEST_F(RegApiTest, ReplacingAValueChangesTypeAndBytesButNotItsName) {
    const HKEY h = create("Software\\Tessaryn");
    ASSERT_EQ(
        RegSetValueExA(h, "Mixed", 0, REG_SZ, reinterpret_cast<const uint8_t*>("long text"), 10),
        ERROR_SUCCESS);
    ASSERT_EQ(
        RegSetValueExA(h, "MIXED", 0, REG_BINARY, reinterpret_cast<const uint8_t*>("\x01"), 1),
        ERROR_SUCCESS);
    RegCloseKey(h);
    const auto v = stored("software\\tessaryn", "mixed");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->name, QByteArray("Mixed"));
    EXPECT_EQ(v->type, REG_BINARY);
    EXPECT_EQ(v->data, QByteArray("\x01", 1));
}

TEST_F(RegApiTest, HandlesOpenRelativeToOtherHandlesAndRootsReturnThemselves) {
    putRaw(kDesktop, "Wallpaper", REG_SZ, QByteArray("w", 2));
    HKEY root = 0;
    EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "", &root), ERROR_SUCCESS);
    EXPECT_EQ(root, HKEY_CURRENT_USER);
    HKEY panel = 0;
    HKEY desk = 0;
    ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "Control Panel", &panel), ERROR_SUCCESS);
    ASSERT_EQ(RegOpenKeyA(panel, "DESKTOP", &desk), ERROR_SUCCESS);
    EXPECT_NE(panel, desk);
    uint8_t buf[8] = {};
    uint32_t size = sizeof buf;
    EXPECT_EQ(RegQueryValueExA(desk, "wallpaper", nullptr, nullptr, buf, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 2u);
    EXPECT_EQ(RegCloseKey(desk), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(panel), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(panel), ERROR_INVALID_HANDLE);
}

TEST_F(RegApiTest, UnknownHandlesAndBadArgumentsAreRefused) {
    uint8_t buf[4] = {};
    uint32_t size = sizeof buf;
    HKEY h = 0;
    EXPECT_EQ(RegQueryValueExA(0x777u, "V", nullptr, nullptr, buf, &size), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegSetValueExA(0x777u, "V", 0, REG_SZ, buf, 1), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyA(0x777u, "x", &h), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, "x", nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueExA(HKEY_CURRENT_USER, "V", 0, REG_SZ, nullptr, 3),
              ERROR_INVALID_PARAMETER);
    uint32_t reserved = 0;
    EXPECT_EQ(RegQueryValueExA(HKEY_CURRENT_USER, "V", &reserved, nullptr, buf, &size),
              ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(QFileInfo::exists(hivePath()));
}

class RegApiBadPath : public RegApiTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(RegApiBadPath, IsRefusedAndCreatesNothing) {
    putRaw("Software", "Seed", REG_SZ, QByteArray("", 1));
    HKEY h = 0xdeadu;
    EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, GetParam(), &h), ERROR_BAD_PATHNAME);
    EXPECT_EQ(h, 0u);
    reg::Hive hive(hivePath(), reg::Hive::Mode::Read);
    reg::KeyListing listing;
    ASSERT_EQ(hive.listKey(HKEY_CURRENT_USER, "", &listing), ERROR_SUCCESS);
    EXPECT_EQ(listing.subkeys, QList<QByteArray>{"Software"});
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RegApiBadPath,
    ::testing::Values("\\Software", "Software\\\\x", "a\\b\\\\",
                      "Software\\" /* + a name over 255 bytes */
                      "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                      "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                      "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                      "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"
                      "xxxxxxxxxxxxxxxxxxxx"));

TEST_F(RegApiTest, AHandleWhoseKeyWasDeletedWritesNothing) {
    const HKEY h = create("Software\\Gone");
    {
        reg::Hive hive(hivePath(), reg::Hive::Mode::Write);
        ASSERT_EQ(hive.deleteKey(HKEY_CURRENT_USER, "software\\gone"), ERROR_SUCCESS);
    }
    EXPECT_EQ(RegSetValueExA(h, "V", 0, REG_SZ, reinterpret_cast<const uint8_t*>("1"), 2),
              ERROR_KEY_DELETED);
    EXPECT_FALSE(keyExists("Software\\Gone"));
    RegCloseKey(h);
}

TEST_F(RegApiTest, DeletingAKeyTakesItsSubkeysAndValuesAlong) {
    putRaw("Software\\A\\B", "V", REG_SZ, QByteArray("1", 2));
    putRaw("Software\\A", "W", REG_SZ, QByteArray("2", 2));
    putRaw("Software\\Keep", "K", REG_SZ, QByteArray("3", 2));
    {
        reg::Hive hive(hivePath(), reg::Hive::Mode::Write);
        ASSERT_EQ(hive.deleteKey(HKEY_CURRENT_USER, "Software\\A"), ERROR_SUCCESS);
        EXPECT_EQ(hive.deleteKey(HKEY_CURRENT_USER, ""), ERROR_INVALID_PARAMETER);
    }
    EXPECT_FALSE(keyExists("Software\\A\\B"));
    // Recreating the path shows no leftovers of the old values.
    putRaw("Software\\A\\B", "Other", REG_SZ, QByteArray("", 1));
    EXPECT_FALSE(stored("Software\\A\\B", "V"));
    EXPECT_FALSE(stored("Software\\A", "W"));
    EXPECT_TRUE(stored("Software\\Keep", "K"));
}

}  // namespace
