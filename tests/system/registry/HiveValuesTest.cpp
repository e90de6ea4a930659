// Values keep their type and their exact bytes through the hive.

#include <gtest/gtest.h>

#include "HiveTestSupport.h"
#include "support/TempHome.h"

using namespace hive_test;

namespace {

struct BytesCase {
    const char* what;
    reg::ValueType type;
    QByteArray data;
};

void PrintTo(const BytesCase& c, std::ostream* os) {
    *os << c.what;
}

class HiveValues : public ::testing::TestWithParam<BytesCase> {
protected:
    TempHome home_;
};

TEST_P(HiveValues, EveryValueComesBackWithItsTypeAndExactBytes) {
    const BytesCase& c = GetParam();
    putRaw("Software\\Tessaryn", "V", c.type, c.data);
    const auto v = stored("Software\\Tessaryn", "V");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->type, c.type);
    EXPECT_EQ(v->data, c.data);
}

QByteArray allBytes() {
    QByteArray b;
    for (int i = 0; i < 256; ++i) {
        b.append(static_cast<char>(i));
    }
    return b;
}

INSTANTIATE_TEST_SUITE_P(
    Data, HiveValues,
    ::testing::Values(
        BytesCase{"StringWithTerminator", reg::ValueType::Text, QByteArray("abc", 4)},
        BytesCase{"StringWithoutTerminator", reg::ValueType::Text, QByteArray("abc")},
        BytesCase{"EmptyBinary", reg::ValueType::Binary, QByteArray()},
        BytesCase{"EveryByteValue", reg::ValueType::Binary, allBytes()},
        BytesCase{"Dword", reg::ValueType::Number32, QByteArray("\x01\x00\x00\x80", 4)},
        BytesCase{"MultiString", reg::ValueType::TextList, QByteArray("a\0bc\0\0", 6)},
        BytesCase{"UnknownType", static_cast<reg::ValueType>(0x4242u), QByteArray("\xff\xfe", 2)},
        BytesCase{"LargerThanAPage", reg::ValueType::Binary, allBytes().repeated(400)}),
    [](const auto& test) { return std::string(test.param.what); });

}  // namespace
