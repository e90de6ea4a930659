// One rule for the XDG base folders, for the program and the desktop session.
#include <gtest/gtest.h>

#include "system/XdgFolders.h"
#include "system/desktop/SessionEnvironment.h"

namespace {

TEST(XdgFolders, OnlyAnAbsoluteValueIsTaken) {
    const QString config = QStringLiteral(".config");
    EXPECT_EQ(sys::xdgFolder(QStringLiteral("/x/conf"), QStringLiteral("/h"), config),
              QStringLiteral("/x/conf"));
    for (const QString& ignored : {QString(), QStringLiteral("conf"), QStringLiteral("./conf")}) {
        EXPECT_EQ(sys::xdgFolder(ignored, QStringLiteral("/h"), config),
                  QStringLiteral("/h/.config"))
            << ignored.toStdString();
    }
}

TEST(XdgFolders, TheSessionFollowsTheSameRule) {
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), QStringLiteral("/home/u"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("relative"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), QStringLiteral("/data"));
    const desktop::SessionEnvironment session(env);
    EXPECT_EQ(session.configHome(), QStringLiteral("/home/u/.config"));
    EXPECT_EQ(session.dataHome(), QStringLiteral("/data"));
}

}  // namespace
