// Settings files written on real files: the file a sequence of writes
// builds, and writes that fail without harming the file.
#include "system/profile/SettingsFile.h"

#include "support/OrdinaryUser.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>

namespace {

class SettingsWrites : public ::testing::Test {
protected:
    QString path() const { return dir_.filePath("Tessaryn.ini"); }

    void put(const QByteArray& bytes) const {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray contents() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
    }
    QString get(const QString& section, const QString& key) const {
        return sys::SettingsFile(path()).text(section, key).value_or("dflt");
    }
    bool set(const QString& section, const QString& key, const QString& value) const {
        return sys::SettingsFile(path()).write({{section, key, value}});
    }
    QStringList entries() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }
    // chmod does not stop root; the permission tests rerun as nobody.
    bool permissionsApply() const { return ::access(QFile::encodeName(dir_.path()), W_OK) != 0; }

    QTemporaryDir dir_;
};

// The settings writer's order of writes on a first run gives this file.
TEST_F(SettingsWrites, SequenceOfWritesBuildsNewFileInOrder) {
    const QString writes[][3] = {
        {"FontSetting", "Name", "IPAGothic"},
        {"FontSetting", "Color0", "0"},
        {"FontSetting", "Color1", "255"},
        {"FontSetting", "Color2", "65280"},
        {"FontSetting", "Color3", "-2147483640"},
        {"FormPos", "Top", "0"},
        {"FormPos", "Left", "0"},
        {"FormPos", "Height", "6000"},
        {"FormPos", "Width", "9000"},
        {"FontSetting", "Italic", "True"},
        {"FontSetting", "Bold", "False"},
        {"FontSetting", "Underline", "False"},
    };
    for (const auto& w : writes) {
        ASSERT_TRUE(set(w[0], w[1], w[2]));
    }
    EXPECT_EQ(contents(),
              "[FontSetting]\r\nName=IPAGothic\r\nColor0=0\r\nColor1=255\r\nColor2=65280\r\n"
              "Color3=-2147483640\r\nItalic=True\r\nBold=False\r\nUnderline=False\r\n"
              "[FormPos]\r\nTop=0\r\nLeft=0\r\nHeight=6000\r\nWidth=9000\r\n");
    ASSERT_TRUE(set("formpos", "TOP", "1440"));
    EXPECT_EQ(get("FormPos", "Top"), "1440");
    EXPECT_TRUE(contents().contains("\r\nTop=1440\r\nLeft=0\r\n"));
}

TEST_F(SettingsWrites, CreatesMissingDirectory) {
    ASSERT_TRUE(sys::SettingsFile(dir_.filePath("a/b/Tessaryn.ini")).write({{"A", "k", "v"}}));
    EXPECT_TRUE(QFile::exists(dir_.filePath("a/b/Tessaryn.ini")));
}

TEST_F(SettingsWrites, UnwritableDirectoryLeavesNoFile) {
    if (rerunAsOrdinaryUserWhenRoot()) {
        return;
    }
    ::chmod(QFile::encodeName(dir_.path()), 0555);
    ASSERT_TRUE(permissionsApply());
    EXPECT_FALSE(set("A", "k", "v"));
    EXPECT_TRUE(entries().isEmpty());
    ::chmod(QFile::encodeName(dir_.path()), 0755);
}

TEST_F(SettingsWrites, ReadOnlyDirectoryKeepsOldFileWhole) {
    if (rerunAsOrdinaryUserWhenRoot()) {
        return;
    }
    put("[A]\nk=old\n");
    ::chmod(QFile::encodeName(dir_.path()), 0555);
    ASSERT_TRUE(permissionsApply());
    EXPECT_FALSE(set("A", "k", "new"));
    EXPECT_EQ(contents(), "[A]\nk=old\n");
    EXPECT_EQ(entries(), QStringList{"Tessaryn.ini"});
    ::chmod(QFile::encodeName(dir_.path()), 0755);
}

// A file without write permission bits is read-only for root as well.
TEST_F(SettingsWrites, ReadOnlyFileIsNotReplaced) {
    put("[A]\nk=old\n");
    ::chmod(QFile::encodeName(path()), 0444);
    EXPECT_FALSE(set("A", "k", "new"));
    EXPECT_EQ(contents(), "[A]\nk=old\n");
    EXPECT_EQ(entries(), QStringList{"Tessaryn.ini"});
}

// A file-size limit makes every write past 4 KiB fail as a full disk would.
TEST_F(SettingsWrites, FullDiskKeepsOldFileWhole) {
    put("[A]\r\nk=old\r\n");
    const QByteArray big(10000, 'v');
    rlimit old{};
    ::getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool written = set("A", "k", QString::fromLatin1(big));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(contents(), "[A]\r\nk=old\r\n");
    EXPECT_EQ(entries(), QStringList{"Tessaryn.ini"});
}

TEST_F(SettingsWrites, ReplacingKeepsSymbolicLinkAndPermissions) {
    const QString real = dir_.filePath("real.ini");
    ASSERT_TRUE(QFile::link(real, path()));
    ASSERT_TRUE(set("A", "k", "1"));
    ::chmod(QFile::encodeName(real), 0640);
    ASSERT_TRUE(set("A", "k", "2"));
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    EXPECT_EQ(get("A", "k"), "2");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(real), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640U);
}

TEST_F(SettingsWrites, MegabyteLineAndGarbageSurvive) {
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage.append(static_cast<char>((i * 7919 + i / 13) % 256));
    }
    const QByteArray huge(1 << 20, 'x');
    put(garbage + "\n[A]\nhuge=" + huge + "\nk=1\n");
    EXPECT_EQ(get("A", "huge").size(), 1023);
    EXPECT_EQ(get("A", "k"), "1");
    ASSERT_TRUE(set("A", "k", "2"));
    ASSERT_TRUE(set("New", "k", "3"));
    EXPECT_EQ(contents(), garbage + "\n[A]\nhuge=" + huge + "\nk=2\n[New]\nk=3\n");
}

TEST_F(SettingsWrites, OversizedFileIsReadButNeverRewritten) {
    put("[A]\r\nk=1\r\n");
    {
        QFile f(path());
        ASSERT_TRUE(f.resize(sys::kMaxSettingsBytes + 10));  // sparse zeros after the key
    }
    EXPECT_EQ(get("A", "k"), "1");
    EXPECT_FALSE(set("A", "k", "2"));
    EXPECT_EQ(QFile(path()).size(), sys::kMaxSettingsBytes + 10);
}

TEST_F(SettingsWrites, NonRegularFileNeitherBlocksNorIsReplaced) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path()).constData(), 0644), 0);
    EXPECT_EQ(get("A", "k"), "dflt");
    EXPECT_FALSE(set("A", "k", "v"));
    ASSERT_TRUE(QFile::remove(path()));
    ASSERT_TRUE(QDir(dir_.path()).mkdir("Tessaryn.ini"));
    EXPECT_EQ(get("A", "k"), "dflt");
    EXPECT_FALSE(set("A", "k", "v"));
}

TEST_F(SettingsWrites, TextWithNulIsRefused) {
    EXPECT_TRUE(set("A", "k", QStringLiteral("Noto Sans")));
    EXPECT_FALSE(set("A", "k", QString::fromUtf8("a\0b", 3)));
    EXPECT_FALSE(set("A", QString::fromUtf8("k\0", 2), "b"));
    EXPECT_EQ(get("a", "k"), "Noto Sans");
}

}  // namespace

namespace {

// Writing several values at once leaves the same bytes as writing them one by
// one, on a new file and on a hand-edited one; a write that cannot be stored
// is skipped and reported.
TEST_F(SettingsWrites, BatchOfWritesEqualsTheSameWritesOneByOne) {
    const std::vector<sys::SettingsChange> writes{{"FontSetting", "Name", "DejaVu Serif"},
                                                  {"FontSetting", "Color0", "16777215"},
                                                  {"FormPos", "Top", "1350"},
                                                  {"fontsetting", "Italic", "True"},
                                                  {"NewSection", "k", "v;w"}};
    for (const QByteArray& start :
         {QByteArray(), QByteArray("; mine\n[FORMPOS]\nTOP = 5\nother=1\n\n[x]\n")}) {
        if (!start.isEmpty()) {
            put(start);
        } else {
            QFile::remove(path());
        }
        for (const auto& w : writes) {
            ASSERT_TRUE(set(w.section, w.key, w.value));
        }
        const QByteArray oneByOne = contents();

        if (!start.isEmpty()) {
            put(start);
        } else {
            QFile::remove(path());
        }
        ASSERT_TRUE(sys::SettingsFile(path()).write(writes));
        EXPECT_EQ(contents(), oneByOne);
    }

    const std::vector<sys::SettingsChange> withBad{
        {"A", "k", "1"}, {"A", "bad=key", "2"}, {"A", "j", "3"}};
    QFile::remove(path());
    EXPECT_FALSE(sys::SettingsFile(path()).write(withBad));
    EXPECT_EQ(contents(), QByteArray("[A]\r\nk=1\r\nj=3\r\n"));
}

}  // namespace
