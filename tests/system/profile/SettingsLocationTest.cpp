// Where the settings file lives, and the file an older version left beside
// an installed copy.
#include "system/profile/SettingsLocation.h"

#include "support/OrdinaryUser.h"
#include "support/TempHome.h"
#include "system/profile/SettingsFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

class SettingsPath : public ::testing::Test {
protected:
    QString xdgFile() const { return home_.configHome() + "/tessaryn/Tessaryn.ini"; }
    // An install prefix of our own: its bin directory is as writable as a
    // system one is for root.
    sys::InstallPlaces places() const { return {prefix_.filePath("bin"), home_.root()}; }
    QString binDir() const { return prefix_.filePath("bin"); }

    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
    }
    static void put(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    void installedCopyKeepsSettingsInConfigHome() {
        QDir().mkpath(binDir());
        const QString localBin = home_.root() + "/.local/bin";
        QDir().mkpath(localBin);
        for (const QString& dir :
             {binDir(), binDir() + "/", localBin, QStringLiteral("/usr/bin"),
              QStringLiteral("/usr/local/bin"), QStringLiteral("/opt/x/bin")}) {
            EXPECT_TRUE(sys::isInstalledCopy(dir, places())) << dir.toStdString();
            EXPECT_EQ(sys::settingsFilePath(dir, places()), xdgFile()) << dir.toStdString();
        }
        EXPECT_FALSE(QFileInfo::exists(binDir() + "/Tessaryn.ini"));
        EXPECT_FALSE(QFileInfo::exists(xdgFile()));
    }

    TempHome home_;
    QTemporaryDir program_;
    QTemporaryDir prefix_;
};

TEST_F(SettingsPath, WritableProgramDirectoryHoldsThePortableCopy) {
    EXPECT_EQ(sys::settingsFilePath(program_.path()), program_.path() + "/Tessaryn.ini");
    EXPECT_EQ(sys::settingsFilePath(program_.path() + "/"), program_.path() + "/Tessaryn.ini");
    EXPECT_FALSE(sys::settingsFilePath("/").contains("//"));
}

// The tests themselves run from the build tree, with the install's real bin
// directory compiled in.
TEST_F(SettingsPath, BuildTreeKeepsItsSettingsBesideTheProgram) {
    const QString buildDir = QCoreApplication::applicationDirPath();
    ASSERT_FALSE(sys::isInstalledCopy(buildDir, sys::installPlaces())) << buildDir.toStdString();
    if (::access(QFile::encodeName(buildDir), W_OK) == 0) {
        EXPECT_EQ(sys::settingsFilePath(buildDir), buildDir + "/Tessaryn.ini");
    } else {
        EXPECT_EQ(sys::settingsFilePath(buildDir), xdgFile());
    }
    EXPECT_TRUE(sys::isInstalledCopy(sys::installPlaces().binDir, sys::installPlaces()));
}

TEST_F(SettingsPath, MissingOrEmptyDirectoryFallsBackToConfigHome) {
    EXPECT_EQ(sys::settingsFilePath(program_.filePath("gone")), xdgFile());
    EXPECT_EQ(sys::settingsFilePath(""), xdgFile());
}

TEST_F(SettingsPath, ReadOnlyPortableFolderUsesConfigHomeUnlessItHoldsTheFile) {
    if (rerunAsOrdinaryUserWhenRoot()) {
        return;
    }
    const QByteArray dir = QFile::encodeName(program_.path());
    ::chmod(dir, 0555);
    ASSERT_NE(::access(dir, W_OK), 0);
    EXPECT_EQ(sys::settingsFilePath(program_.path()), xdgFile());
    ::chmod(dir, 0755);
    put(program_.filePath("Tessaryn.ini"), "[FormPos]\r\nTop=1\r\n");
    ::chmod(dir, 0555);
    EXPECT_EQ(sys::settingsFilePath(program_.path()), program_.path() + "/Tessaryn.ini");
    EXPECT_FALSE(QFileInfo::exists(xdgFile()));
    ::chmod(dir, 0755);
}

TEST_F(SettingsPath, InstalledCopyKeepsSettingsInConfigHome) {
    installedCopyKeepsSettingsInConfigHome();
}

TEST_F(SettingsPath, InstalledCopyKeepsSettingsInConfigHomeForAnOrdinaryUser) {
    if (rerunAsOrdinaryUserWhenRoot()) {
        return;
    }
    installedCopyKeepsSettingsInConfigHome();
}

TEST_F(SettingsPath, InstalledCopyIsKnownThroughSymbolicLinksAndByWholeNames) {
    ASSERT_TRUE(QFile::link(QStringLiteral("/usr/bin"), program_.filePath("usrbin")));
    EXPECT_TRUE(sys::isInstalledCopy(program_.filePath("usrbin"), places()));
    EXPECT_TRUE(sys::isInstalledCopy(QStringLiteral("/usr/bin/../lib"), places()));
    EXPECT_FALSE(sys::isInstalledCopy(QStringLiteral("/usrx/bin"), places()));
    EXPECT_FALSE(sys::isInstalledCopy(QStringLiteral("/optional"), places()));
    EXPECT_FALSE(sys::isInstalledCopy(binDir() + "x", places()));
    EXPECT_FALSE(sys::isInstalledCopy(home_.root() + "/.localx/bin", places()));
    EXPECT_FALSE(sys::isInstalledCopy(program_.path(), places()));
    EXPECT_FALSE(sys::isInstalledCopy(QString(), places()));
}

TEST_F(SettingsPath, InstalledCopyCopiesAStrayFileOnceAndLeavesItAlone) {
    const QString stray = binDir() + "/Tessaryn.ini";
    const QByteArray old = "; kept by hand\r\n[FontSetting]\r\nName=IPAGothic\r\n";
    put(stray, old);
    const QDateTime strayTime = QFileInfo(stray).lastModified();

    EXPECT_EQ(sys::settingsFilePath(binDir(), places()), xdgFile());
    EXPECT_EQ(bytesOf(xdgFile()), old);
    EXPECT_EQ(bytesOf(stray), old);
    EXPECT_EQ(QFileInfo(stray).lastModified(), strayTime);
    EXPECT_EQ(QDir(binDir()).entryList(QDir::Files | QDir::Hidden), QStringList{"Tessaryn.ini"});

    // Once copied, the file in the configuration directory is the one.
    put(xdgFile(), "[FontSetting]\r\nName=Noto Sans\r\n");
    put(stray, "[FontSetting]\r\nName=changed beside\r\n");
    EXPECT_EQ(sys::settingsFilePath(binDir(), places()), xdgFile());
    EXPECT_EQ(bytesOf(xdgFile()), "[FontSetting]\r\nName=Noto Sans\r\n");
    EXPECT_EQ(
        sys::SettingsFile(sys::settingsFilePath(binDir(), places())).text("FontSetting", "Name"),
        "Noto Sans");
}

TEST_F(SettingsPath, UnsetConfigHomeMeansDotConfig) {
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home_.root()));
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(sys::settingsFilePath(program_.filePath("gone")),
              home_.root() + "/.config/tessaryn/Tessaryn.ini");
    EXPECT_EQ(sys::settingsFilePath(home_.root() + "/.local/bin"),
              home_.root() + "/.config/tessaryn/Tessaryn.ini");
    qputenv("HOME", oldHome);
}

}  // namespace
