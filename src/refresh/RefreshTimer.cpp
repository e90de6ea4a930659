#include "refresh/RefreshTimer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "refresh/Console.h"
#include "system/PrintableText.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/profile/AtomicWrite.h"

namespace refresh {

namespace {

const QString kTimer = QStringLiteral("tessaryn-refresh.timer");
const QString kService = QStringLiteral("tessaryn-refresh.service");

QString unitDirectory() {
    return desktop::SessionEnvironment::system().configHome() + QStringLiteral("/systemd/user");
}

QByteArray resource(const QString& name) {
    QFile f(QStringLiteral(":/refresh/") + name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The path as one word of a unit file's ExecStart=: a plain path as it is,
// any other quoted, with systemd's escapes, its specifiers (%) and its
// variables ($) kept literal.
QString execStartWord(const QString& path) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9/._+-]+$"));
    if (plain.match(path).hasMatch()) {
        return path;
    }
    QString word = path;
    word.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('"'), QLatin1String("\\\""))
        .replace(QLatin1Char('%'), QLatin1String("%%"))
        .replace(QLatin1Char('$'), QLatin1String("$$"));
    return QLatin1Char('"') + word + QLatin1Char('"');
}

// Runs systemctl --user with `args`; empty on success, else its complaint.
QString systemctl(const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("systemctl"), QStringList{QStringLiteral("--user")} + args);
    if (!p.waitForStarted(5000)) {
        return QStringLiteral("systemctl cannot be run: %1").arg(p.errorString());
    }
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return QStringLiteral("systemctl --user %1 did not finish")
            .arg(args.join(QLatin1Char(' ')));
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        const QString said =
            QString::fromLocal8Bit(p.readAll()).trimmed().section(QLatin1Char('\n'), 0, 0);
        return QStringLiteral("systemctl --user %1 failed: %2")
            .arg(args.join(QLatin1Char(' ')),
                 said.isEmpty() ? QStringLiteral("no reason given") : said);
    }
    return {};
}

}  // namespace

int enableTimer() {
    const QString dir = unitDirectory();
    QByteArray service = resource(kService + QStringLiteral(".in"));
    const QByteArray timer = resource(kTimer);
    if (service.isEmpty() || timer.isEmpty()) {
        complain(QStringLiteral("the unit files are missing from this build"));
        return 1;
    }
    // This very program runs from the timer, wherever it was installed.
    const QString program = QCoreApplication::applicationFilePath();
    if (sys::hasLineBreak(program)) {
        complain(QStringLiteral("the program's path %1 has a line break, which the unit file "
                                "would read as two lines; the timer was not enabled")
                     .arg(program));
        return 1;
    }
    service.replace("@TESSARYN_PROGRAM@", execStartWord(program).toLocal8Bit());
    QString why;
    if (!sys::replaceFileAtomically(dir + QLatin1Char('/') + kService, service, &why) ||
        !sys::replaceFileAtomically(dir + QLatin1Char('/') + kTimer, timer, &why)) {
        complain(QStringLiteral("cannot write the unit files into %1: %2").arg(dir, why));
        return 1;
    }
    QString e = systemctl({QStringLiteral("daemon-reload")});
    if (e.isEmpty()) {
        e = systemctl({QStringLiteral("enable"), QStringLiteral("--now"), kTimer});
    }
    if (!e.isEmpty()) {
        QFile::remove(dir + QLatin1Char('/') + kService);
        QFile::remove(dir + QLatin1Char('/') + kTimer);
        complain(e + QStringLiteral("; the timer was not enabled"));
        return 1;
    }
    say(QStringLiteral(
            "Enabled %1: tessaryn refresh runs on the first of each month (units in %2).")
            .arg(kTimer, dir));
    return 0;
}

int disableTimer() {
    const QString dir = unitDirectory();
    const bool ours = QFile::exists(dir + QLatin1Char('/') + kTimer);
    const QString e = systemctl({QStringLiteral("disable"), QStringLiteral("--now"), kTimer});
    if (!e.isEmpty() && !ours) {
        complain(e);
        return 1;
    }
    QFile::remove(dir + QLatin1Char('/') + kService);
    QFile::remove(dir + QLatin1Char('/') + kTimer);
    if (ours) {
        systemctl({QStringLiteral("daemon-reload")});
    }
    say(QStringLiteral("Disabled %1.").arg(kTimer));
    return 0;
}

}  // namespace refresh
