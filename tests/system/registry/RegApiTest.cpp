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

}  // namespace
