// The settings file's readers and where the file lives.
#include "system/profile/SettingsFile.h"

#include "support/TempHome.h"
#include "system/Module1.h"
#include "system/profile/PrivateProfile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <optional>

namespace {

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override { Module1::strIniFile = dir_.filePath("Tessaryn.ini"); }
    void TearDown() override { Module1::strIniFile.clear(); }

    void put(const QByteArray& bytes) const {
        QFile f(Module1::strIniFile);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir dir_;
};

struct LongCase {
    std::optional<QByteArray> text;  // nullopt: the key is missing
    int32_t expected;
};

class GetIniLong : public SettingsFile, public ::testing::WithParamInterface<LongCase> {};

TEST_P(GetIniLong, ReadsWholeNumbersOrMinusOne) {
    const LongCase& c = GetParam();
    put("[FontSetting]\r\n" + (c.text ? "Color2=" + *c.text + "\r\n" : QByteArray()));
    EXPECT_EQ(Module1::GetIniLong("Fontsetting", "Color2"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, GetIniLong,
    ::testing::Values(LongCase{" 1200 ", 1200}, LongCase{"1200.5", 1200}, LongCase{"1201.5", 1202},
                      LongCase{"-0.5", 0}, LongCase{"abc", -1}, LongCase{"12abc", -1},
                      LongCase{"-1", -1}, LongCase{"", -1}, LongCase{std::nullopt, -1},
                      LongCase{"16711680", 16711680}, LongCase{"\"65280\"", 65280},
                      LongCase{"-2147483640", -2147483640}, LongCase{"2147483647", 2147483647},
                      LongCase{"2147483648", -1}, LongCase{"-2147483649", -1},
                      LongCase{"99999999999", -1}, LongCase{"1e400", -1}, LongCase{"1e3", 1000}));

TEST_F(SettingsFile, MissingFileReadsAsMissingKeys) {
    EXPECT_EQ(Module1::GetIniLong("FormPos", "Top"), -1);
    EXPECT_EQ(Module1::GetIniString("FontSetting", "Name"), "");
}

TEST_F(SettingsFile, WrittenValuesReadBackUnderEitherSpelling) {
    const QString& file = Module1::strIniFile;
    ASSERT_TRUE(sys::WritePrivateProfileStringA("FontSetting", "Name", "IPA明朝", file));
    ASSERT_TRUE(sys::WritePrivateProfileStringA("FontSetting", "Color2", "65280", file));
    ASSERT_TRUE(sys::WritePrivateProfileStringA("FontSetting", "Italic", "True", file));
    EXPECT_EQ(Module1::GetIniString("FontSetting", "Name"), "IPA明朝");
    EXPECT_EQ(Module1::GetIniString("FONTSETTING", "name"), "IPA明朝");
    EXPECT_EQ(Module1::GetIniString("Fontsetting", "Italic"), "True");
    EXPECT_EQ(Module1::GetIniLong("Fontsetting", "Color2"), 65280);
}

TEST_F(SettingsFile, LongValueIsCutToWholeCharactersWithin1023Bytes) {
    put("[FontSetting]\r\nName=" + QByteArray(1021, 'a') + "éé\r\n");
    EXPECT_EQ(Module1::GetIniString("FontSetting", "Name"), QString(1021, u'a') + u'é');
}

class SettingsPath : public ::testing::Test {
protected:
    QString xdgFile() const { return home_.configHome() + "/tessaryn/Tessaryn.ini"; }

    TempHome home_;
    QTemporaryDir program_;
};

TEST_F(SettingsPath, WritableProgramDirectoryHoldsThePortableCopy) {
    EXPECT_EQ(sys::settingsFilePath(program_.path()), program_.path() + "/Tessaryn.ini");
    EXPECT_EQ(sys::settingsFilePath(program_.path() + "/"), program_.path() + "/Tessaryn.ini");
    EXPECT_FALSE(sys::settingsFilePath("/").contains("//"));
}

TEST_F(SettingsPath, MissingOrEmptyDirectoryFallsBackToConfigHome) {
    EXPECT_EQ(sys::settingsFilePath(program_.filePath("gone")), xdgFile());
    EXPECT_EQ(sys::settingsFilePath(""), xdgFile());
}

TEST_F(SettingsPath, ReadOnlyDirectoryUsesConfigHomeUnlessItHoldsTheFile) {
    const QByteArray dir = QFile::encodeName(program_.path());
    ::chmod(dir, 0555);
    if (::access(dir, W_OK) == 0) {
        ::chmod(dir, 0755);
        GTEST_SKIP() << "running as root: chmod does not protect the directory";
    }
    EXPECT_EQ(sys::settingsFilePath(program_.path()), xdgFile());
    ::chmod(dir, 0755);
    QFile(program_.filePath("Tessaryn.ini")).open(QIODevice::WriteOnly);
    ::chmod(dir, 0555);
    EXPECT_EQ(sys::settingsFilePath(program_.path()), program_.path() + "/Tessaryn.ini");
    ::chmod(dir, 0755);
}

TEST_F(SettingsPath, UnsetConfigHomeMeansDotConfig) {
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home_.root()));
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(sys::settingsFilePath(program_.filePath("gone")),
              home_.root() + "/.config/tessaryn/Tessaryn.ini");
    qputenv("HOME", oldHome);
}

}  // namespace
