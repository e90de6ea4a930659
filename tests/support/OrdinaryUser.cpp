#include "support/OrdinaryUser.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

constexpr char kNobody[] = "65534";

}  // namespace

bool runningAsRoot() {
    return ::geteuid() == 0;
}

bool rerunAsOrdinaryUserWhenRoot() {
    if (!runningAsRoot()) {
        return false;
    }
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString filter =
        QStringLiteral("--gtest_filter=%1.%2")
            .arg(QString::fromUtf8(test->test_suite_name()), QString::fromUtf8(test->name()));

    // The caller's temporary directories belong to root and are closed to
    // others; the rerun makes its own.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    env.remove(QStringLiteral("XDG_DATA_HOME"));
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.insert(QStringLiteral("HOME"), QStringLiteral("/nonexistent"));

    QProcess run;
    run.setProcessEnvironment(env);
    run.setProcessChannelMode(QProcess::MergedChannels);
    run.start(QStringLiteral("setpriv"),
              {QStringLiteral("--reuid=%1").arg(kNobody), QStringLiteral("--regid=%1").arg(kNobody),
               QStringLiteral("--clear-groups"), QStringLiteral("--"),
               QCoreApplication::applicationFilePath(), filter});
    if (!run.waitForFinished(60000)) {
        ADD_FAILURE() << "setpriv could not run the test as nobody: "
                      << run.errorString().toStdString();
        return true;
    }
    const QByteArray output = run.readAll();
    const bool passed = run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0 &&
                        output.contains("[  PASSED  ] 1 test.") && !output.contains("SKIPPED");
    EXPECT_TRUE(passed) << "the run as nobody (" << filter.toStdString() << ") did not pass:\n"
                        << output.toStdString();
    return true;
}
