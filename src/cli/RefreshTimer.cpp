#include "cli/RefreshTimer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

#include "cli/Console.h"
#include "cli/UnitText.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/AtomicWrite.h"
#include "toolkit/Translations.h"

namespace cli {

using tk::Text;

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

// Runs systemctl --user with `args`; empty on success, else its complaint.
QString systemctl(const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("systemctl"), QStringList{QStringLiteral("--user")} + args);
    if (!p.waitForStarted(5000)) {
        return Text::tr("systemctl cannot be run: %1").arg(p.errorString());
    }
    if (!p.waitForFinished(30000)) {
        p.kill();
        p.waitForFinished();
        return Text::tr("systemctl --user %1 did not finish").arg(args.join(QLatin1Char(' ')));
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        const QString said =
            QString::fromLocal8Bit(p.readAll()).trimmed().section(QLatin1Char('\n'), 0, 0);
        return Text::tr("systemctl --user %1 failed: %2")
            .arg(args.join(QLatin1Char(' ')), said.isEmpty() ? Text::tr("no reason given") : said);
    }
    return {};
}

}  // namespace

int enableTimer() {
    const QString dir = unitDirectory();
    QByteArray service = resource(kService + QStringLiteral(".in"));
    const QByteArray timer = resource(kTimer);
    if (service.isEmpty() || timer.isEmpty()) {
        complain(Text::tr("the unit files are missing from this build"));
        return 1;
    }
    // This very program runs from the timer, wherever it was installed.
    const QString program = QCoreApplication::applicationFilePath();
    const std::optional<QString> exec = systemdExecPath(program);
    if (!exec) {
        complain(Text::tr("the program's path %1 holds a line break or another control "
                          "character, which a systemd unit cannot name; nothing was written")
                     .arg(program));
        return 1;
    }
    service.replace("@TESSARYN_EXEC_START@", exec->toUtf8());
    QString why;
    if (!sys::replaceFileAtomically(dir + QLatin1Char('/') + kService, service, &why) ||
        !sys::replaceFileAtomically(dir + QLatin1Char('/') + kTimer, timer, &why)) {
        complain(Text::tr("cannot write the unit files into %1: %2").arg(dir, why));
        return 1;
    }
    QString e = systemctl({QStringLiteral("daemon-reload")});
    if (e.isEmpty()) {
        e = systemctl({QStringLiteral("enable"), QStringLiteral("--now"), kTimer});
    }
    if (!e.isEmpty()) {
        QFile::remove(dir + QLatin1Char('/') + kService);
        QFile::remove(dir + QLatin1Char('/') + kTimer);
        complain(Text::tr("%1; the timer was not enabled").arg(e));
        return 1;
    }
    say(Text::tr("Enabled %1: tessaryn refresh runs on the first of each month (units in %2).")
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
    say(Text::tr("Disabled %1.").arg(kTimer));
    return 0;
}

namespace {

// The user's own entry of the same name hides the system's (the XDG
// autostart rule); Hidden=true turns it off.
QString autostartOverride() {
    return desktop::SessionEnvironment::system().configHome() +
           QStringLiteral("/autostart/tessaryn-refresh.desktop");
}

}  // namespace

int disableAutostart() {
    const QString path = autostartOverride();
    const QByteArray entry =
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=Tessaryn calendar renewal\n"
        "Comment=Turned off by tessaryn refresh --disable-autostart\n"
        "Exec=tessaryn refresh\n"
        "Hidden=true\n";
    if (!sys::replaceFileAtomically(path, entry)) {
        complain(Text::tr("cannot write %1").arg(path));
        return 1;
    }
    say(Text::tr("The login no longer runs tessaryn refresh (%1 hides the autostart entry).")
            .arg(path));
    return 0;
}

int enableAutostart() {
    const QString path = autostartOverride();
    QFile entry(path);
    if (entry.exists()) {
        if (!entry.open(QIODevice::ReadOnly) ||
            !entry.readAll().contains("tessaryn refresh --disable-autostart")) {
            complain(Text::tr("%1 is not the one tessaryn refresh --disable-autostart "
                              "wrote; it was left alone")
                         .arg(path));
            return 1;
        }
        entry.close();
        if (!entry.remove()) {
            complain(Text::tr("cannot remove %1: %2").arg(path, entry.errorString()));
            return 1;
        }
    }
    say(Text::tr("The login runs tessaryn refresh again (the installed autostart entry)."));
    return 0;
}

}  // namespace cli
