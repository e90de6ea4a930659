// Runs a QtTest program for ctest: qtest_runner PROGRAM [ARGUMENT...].
// The program's results appear as usual; the exit status is 0 when it
// passed, 1 on any failure or crash, and 77 (ctest's "skipped") only when
// every test it ran skipped itself. QtTest's own status is the number of
// failures, so 77 failures alone would read as a skip.
#include <sys/prctl.h>
#include <csignal>
#include <cstdio>

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

struct Outcome {
    int ran = 0;      // results other than a skip
    int skipped = 0;  // results that are a skip
    bool read = false;
};

// Counts the results in QtTest's XML log. initTestCase and cleanupTestCase
// pass in every run, so only their skips count.
Outcome readLog(const QString& path) {
    Outcome outcome;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return outcome;
    }
    QXmlStreamReader xml(&file);
    QString function;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (xml.name() == QLatin1String("TestFunction")) {
            function = xml.attributes().value(QLatin1String("name")).toString();
        } else if (xml.name() == QLatin1String("Incident")) {
            const bool frame = function == QLatin1String("initTestCase") ||
                               function == QLatin1String("cleanupTestCase");
            if (xml.attributes().value(QLatin1String("type")) == QLatin1String("skip")) {
                ++outcome.skipped;
            } else if (!frame) {
                ++outcome.ran;
            }
        }
    }
    outcome.read = !xml.hasError();
    return outcome;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: qtest_runner PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString log = dir.filePath(QStringLiteral("log.xml"));
    QProcess test;
    test.setProcessChannelMode(QProcess::ForwardedChannels);
    test.setInputChannelMode(QProcess::ForwardedInputChannel);
    // When ctest ends the runner (a timeout), the test ends with it.
    test.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    test.start(args[1],
               args.mid(2) + QStringList{QStringLiteral("-o"), QStringLiteral("-,txt"),
                                         QStringLiteral("-o"), log + QStringLiteral(",xml")});
    if (!test.waitForFinished(-1) || test.exitStatus() != QProcess::NormalExit ||
        test.exitCode() != 0) {
        if (test.error() == QProcess::FailedToStart) {
            std::fprintf(stderr, "qtest_runner: %s\n", qPrintable(test.errorString()));
        }
        return 1;
    }
    const Outcome outcome = readLog(log);
    if (!outcome.read) {
        std::fprintf(stderr, "qtest_runner: no readable results in %s\n", qPrintable(log));
        return 1;
    }
    return outcome.skipped > 0 && outcome.ran == 0 ? 77 : 0;
}
