// The bytes of a settings file: values in a Windows code page, values kept
// byte for byte, writes that change nothing, and names outside ASCII.
#include "system/profile/SettingsFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QFile>
#include <QTemporaryDir>

namespace {

// "ＭＳ Ｐゴシック" in CP932, as a Japanese Windows writes it.
const QByteArray kPGothicCp932("\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E");
const QString kPGothic = QStringLiteral("ＭＳ Ｐゴシック");

class SettingsBytes : public ::testing::Test {
protected:
    void SetUp() override { path_ = dir_.filePath("Tessaryn.ini"); }

    void put(const QByteArray& bytes) const {
        QFile f(path_);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray contents() const {
        QFile f(path_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    bool write(const QString& key, const QString& value) const {
        return sys::SettingsFile(path_).write({{"FontSetting", key, value}});
    }
    nlink_t links() const {
        struct stat st {};
        ::stat(QFile::encodeName(path_).constData(), &st);
        return st.st_nlink;
    }

    QTemporaryDir dir_;
    QString path_;  // the settings file
};

TEST_F(SettingsBytes, WindowsCodePagesReadAsText) {
    const struct {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {kPGothicCp932, kPGothic},                   // CP932
        {kPGothic.toUtf8(), kPGothic},               // UTF-8 stays UTF-8
        {"Caf\xE9 \x80", QStringLiteral("Café €")},  // not CP932: Windows-1252
    };
    for (const auto& c : cases) {
        put("[FontSetting]\r\nName=" + c.bytes + "\r\n");
        EXPECT_EQ(sys::SettingsFile(path_).text("FontSetting", "Name"), c.text)
            << c.bytes.toHex().data();
    }
}

// An unchanged value keeps its bytes; a changed one takes the file's code
// page, or UTF-8 in a UTF-8 file.
TEST_F(SettingsBytes, ValuesKeepTheFilesEncoding) {
    const QByteArray head = "[FontSetting]\r\nName=" + kPGothicCp932 + "\r\n";
    put(head + "Color0=1\r\n");
    ASSERT_TRUE(write("Name", kPGothic));
    ASSERT_TRUE(write("Color0", "2"));
    EXPECT_EQ(contents(), head + "Color0=2\r\n");

    ASSERT_TRUE(write("Name", QStringLiteral("ＭＳ ゴシック")));
    EXPECT_EQ(contents(), QByteArray("[FontSetting]\r\nName=\x82\x6C\x82\x72\x20\x83\x53\x83\x56"
                                     "\x83\x62\x83\x4E\r\nColor0=2\r\n"));
    EXPECT_EQ(sys::SettingsFile(path_).text("FontSetting", "Name"),
              QStringLiteral("ＭＳ ゴシック"));

    put("[FontSetting]\r\nName=x\r\n");
    ASSERT_TRUE(write("Name", kPGothic));
    EXPECT_EQ(contents(), "[FontSetting]\r\nName=" + kPGothic.toUtf8() + "\r\n");
}

// Only a write that changes the text replaces the file (and so cuts a hard
// link to it); a value with leading blanks replaces exactly what follows "=".
TEST_F(SettingsBytes, OnlyChangesReplaceTheFile) {
    const QByteArray file = "[FontSetting]\r\nk = \"v\"\r\nName=a\r\n";
    put(file);
    const QString other = dir_.filePath("link.ini");
    ASSERT_EQ(::link(QFile::encodeName(path_), QFile::encodeName(other)), 0);
    ASSERT_EQ(links(), 2u);
    EXPECT_TRUE(write("k", "v"));
    EXPECT_TRUE(write("Name", "a"));
    EXPECT_EQ(links(), 2u);
    EXPECT_EQ(contents(), file);

    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(write("k", " v"));
        ASSERT_TRUE(write("Name", " \tb"));
    }
    EXPECT_EQ(contents(), "[FontSetting]\r\nk = v\r\nName= \tb\r\n");
    EXPECT_EQ(links(), 1u);
}

// Names that differ in a letter outside ASCII are different names; only
// ASCII letters match without regard to case.
TEST_F(SettingsBytes, NonAsciiNamesCompareByteForByte) {
    put("[S]\r\nKé=e-acute\r\n");
    sys::SettingsFile settings(path_);
    EXPECT_EQ(settings.text("S", "Kè"), std::nullopt);
    EXPECT_EQ(settings.text("S", "KÉ"), std::nullopt);
    EXPECT_EQ(settings.text("s", "ké"), "e-acute");
    ASSERT_TRUE(settings.write({{"S", "Kè", "e-grave"}}));
    EXPECT_EQ(contents(), "[S]\r\nKé=e-acute\r\nKè=e-grave\r\n");
}

}  // namespace
