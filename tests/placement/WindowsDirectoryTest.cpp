// The folder standing in for the Windows directory, where Tessavel.bmp goes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <cstring>

#include "support/TempHome.h"
#include "system/wallpaper/WindowsDirectory.h"

namespace {

TEST(WindowsDirectory, IsTheProgramsFolderInTheDataHomeCreatedWhenAskedFor) {
    TempHome home;
    const QString expected = home.dataHome() + QStringLiteral("/tessaryn");
    ASSERT_FALSE(QFileInfo::exists(expected));
    char buffer[4096];
    std::memset(buffer, 0, sizeof buffer);
    const uint32_t length = sys::GetWindowsDirectoryA(buffer, sizeof buffer);
    EXPECT_EQ(QString::fromLocal8Bit(buffer), expected);
    EXPECT_EQ(length, std::strlen(buffer));
    EXPECT_TRUE(QFileInfo(expected).isDir());
}

TEST(WindowsDirectory, ATooSmallBufferIsLeftAloneAndTheNeededSizeReturned) {
    TempHome home;
    const QByteArray expected = (home.dataHome() + QStringLiteral("/tessaryn")).toLocal8Bit();
    std::vector<char> buffer(size_t(expected.size()), 'x');
    EXPECT_EQ(sys::GetWindowsDirectoryA(buffer.data(), uint32_t(buffer.size())),
              uint32_t(expected.size() + 1));
    EXPECT_EQ(std::string(buffer.begin(), buffer.end()), std::string(buffer.size(), 'x'));
    // One more byte holds it with its terminating zero.
    buffer.assign(size_t(expected.size()) + 1, 'x');
    EXPECT_EQ(sys::GetWindowsDirectoryA(buffer.data(), uint32_t(buffer.size())),
              uint32_t(expected.size()));
    EXPECT_EQ(QByteArray(buffer.data()), expected);
}

TEST(WindowsDirectory, AnUnsetOrRelativeDataHomeMeansTheDefault) {
    TempHome home;
    // The default lies in the home folder, which is made temporary too.
    const QByteArray realHome = qgetenv("HOME");
    qputenv("HOME", home.root().toLocal8Bit());
    const QString fallback = home.root() + QStringLiteral("/.local/share/tessaryn");
    qputenv("XDG_DATA_HOME", "relative/path");
    EXPECT_EQ(sys::windowsDirectory(), fallback);
    qputenv("XDG_DATA_HOME", "");
    EXPECT_EQ(sys::windowsDirectory(), fallback);
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(sys::windowsDirectory(), fallback);
    EXPECT_TRUE(QFileInfo(fallback).isDir());
    qputenv("HOME", realHome);
}

}  // namespace
