// The program's data folder, where Tessavel.bmp goes.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "support/TempHome.h"
#include "system/DataFolder.h"

namespace {

TEST(DataFolder, IsTheProgramsFolderInTheDataHomeCreatedWhenAskedFor) {
    TempHome home;
    const QString expected = home.dataHome() + QStringLiteral("/tessaryn");
    ASSERT_FALSE(QFileInfo::exists(expected));
    EXPECT_EQ(sys::dataFolder(), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
}

TEST(DataFolder, AnUnsetOrRelativeDataHomeMeansTheDefault) {
    TempHome home;
    // The default lies in the home folder, which is made temporary too.
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", home.root().toLocal8Bit());
    const QString fallback = home.root() + QStringLiteral("/.local/share/tessaryn");
    qputenv("XDG_DATA_HOME", "relative/path");
    EXPECT_EQ(sys::dataFolder(), fallback);
    qputenv("XDG_DATA_HOME", "");
    EXPECT_EQ(sys::dataFolder(), fallback);
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(sys::dataFolder(), fallback);
    EXPECT_TRUE(QFileInfo(fallback).isDir());
    qputenv("HOME", realHome);
}

}  // namespace
