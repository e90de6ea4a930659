// The settings file's typed reads, and a write that keeps what others wrote.
#include "system/profile/SettingsFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <optional>

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { path_ = dir_.filePath("Tessaryn.ini"); }

    void put(const QByteArray& bytes) const {
        QFile f(path_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir_;
    QString path_;  // the settings file
};

struct NumberCase {
    std::optional<QByteArray> text;  // nullopt: the key is missing
    std::optional<int32_t> expected;
};

class Numbers : public SettingsFile, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(Numbers, ReadAsWholeNumbersHalvesToEven) {
    const NumberCase& c = GetParam();
    put("[FontSetting]\r\n" + (c.text ? "Color2=" + *c.text + "\r\n" : QByteArray()));
    EXPECT_EQ(sys::SettingsFile(path_).number("Fontsetting", "Color2"), c.expected);
}

constexpr std::nullopt_t kNone = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Settings, Numbers,
    ::testing::Values(NumberCase{" 1200 ", 1200}, NumberCase{"1200.5", 1200},
                      NumberCase{"1201.5", 1202}, NumberCase{"-0.5", 0}, NumberCase{"abc", kNone},
                      NumberCase{"12abc", kNone}, NumberCase{"-1", -1}, NumberCase{"", kNone},
                      NumberCase{kNone, kNone}, NumberCase{"16711680", 16711680},
                      NumberCase{"\"65280\"", 65280}, NumberCase{"-2147483640", -2147483640},
                      NumberCase{"2147483647", 2147483647}, NumberCase{"2147483648", kNone},
                      NumberCase{"-2147483649", kNone}, NumberCase{"99999999999", kNone},
                      NumberCase{"1e400", kNone}, NumberCase{"1e3", 1000}));

TEST_F(SettingsFile, MissingFileReadsAsMissingKeys) {
    const sys::SettingsFile settings(path_);
    EXPECT_EQ(settings.number("FormPos", "Top"), std::nullopt);
    EXPECT_EQ(settings.text("FontSetting", "Name"), std::nullopt);
}

TEST_F(SettingsFile, WrittenValuesReadBackUnderEitherSpelling) {
    ASSERT_TRUE(sys::SettingsFile(path_).write({{"FontSetting", "Name", "IPA明朝"},
                                                {"FontSetting", "Color2", "65280"},
                                                {"FontSetting", "Italic", "True"}}));
    const sys::SettingsFile settings(path_);
    EXPECT_EQ(settings.text("FontSetting", "Name"), "IPA明朝");
    EXPECT_EQ(settings.text("FONTSETTING", "name"), "IPA明朝");
    EXPECT_EQ(settings.text("Fontsetting", "Italic"), "True");
    EXPECT_EQ(settings.number("Fontsetting", "Color2"), 65280);
}

TEST_F(SettingsFile, LongValueIsCutToWholeCharactersWithin1023Bytes) {
    put("[FontSetting]\r\nName=" + QByteArray(1021, 'a') + "éé\r\n");
    EXPECT_EQ(sys::SettingsFile(path_).text("FontSetting", "Name"), QString(1021, u'a') + u'é');
}

// A write reads the file afresh: what was changed by hand since the window
// read it stays, and the object then reads what the file holds.
TEST_F(SettingsFile, WriteKeepsWhatOthersWroteSinceTheRead) {
    put("[FormPos]\r\nTop=1\r\n");
    sys::SettingsFile settings(path_);
    put("[FormPos]\r\nTop=1\r\nLeft=2\r\n");
    EXPECT_EQ(settings.number("FormPos", "Left"), std::nullopt);
    ASSERT_TRUE(settings.write({{"FormPos", "Top", "3"}}));
    QFile f(path_);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "[FormPos]\r\nTop=3\r\nLeft=2\r\n");
    EXPECT_EQ(settings.number("FormPos", "Left"), 2);
}

}  // namespace
