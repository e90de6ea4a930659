#include "DesktopSessions.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>
#include <QThread>

#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace desktoptest {

TestHome::TestHome() {
    QDir root(dir_.path());
    root.mkpath(QStringLiteral("config"));
    root.mkpath(QStringLiteral("data"));
    root.mkpath(QStringLiteral("run"));
    QFile::setPermissions(runtimeDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env;
    env.insert(QStringLiteral("PATH"),
               qEnvironmentVariable("PATH", QStringLiteral("/usr/bin:/bin")));
    env.insert(QStringLiteral("HOME"), dir_.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome());
    env.insert(QStringLiteral("XDG_DATA_HOME"), dir_.path() + QStringLiteral("/data"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
    env.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    env_ = desktop::SessionEnvironment(env);
}

QString TestHome::writePicture(const QString& relative, int width, int height) const {
    const QString file = dir_.path() + QLatin1Char('/') + relative;
    QDir().mkpath(QFileInfo(file).path());
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(30, 90, 160));
    image.setPixelColor(1, 2, Qt::yellow);
    image.save(file, "BMP");
    return file;
}

PrivateBus::PrivateBus(TestHome& home, Services services) {
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (daemon.isEmpty()) {
        error_ = QStringLiteral("dbus-daemon is not installed");
        return;
    }
    const QString socket =
        QStringLiteral("unix:path=") + home.runtimeDir() + QStringLiteral("/bus");
    QStringList args{QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                     QStringLiteral("--print-address=1")};
    if (services == Services::Installed) {
        args << QStringLiteral("--session") << QStringLiteral("--address=") + socket;
    } else {
        const QString config = home.path() + QStringLiteral("/bus.conf");
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly)) {
            error_ = QStringLiteral("cannot write ") + config;
            return;
        }
        file.write(
            QStringLiteral(
                "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                "1.0//EN\"\n"
                " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                "<busconfig><type>session</type><listen>%1</listen><auth>EXTERNAL</auth>\n"
                "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                "<allow eavesdrop=\"true\"/><allow own=\"*\"/>"
                "</policy></busconfig>\n")
                .arg(socket)
                .toUtf8());
        file.close();
        args << QStringLiteral("--config-file=") + config;
    }
    daemon_.setProcessEnvironment(home.env().processEnvironment());
    daemon_.start(daemon, args);
    if (!daemon_.waitForStarted(5000)) {
        error_ = QStringLiteral("dbus-daemon did not start: ") + daemon_.errorString();
        return;
    }
    while (!daemon_.canReadLine() && daemon_.waitForReadyRead(5000)) {
    }
    address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
    if (address_.isEmpty()) {
        error_ = QStringLiteral("dbus-daemon gave no address: ") +
                 QString::fromUtf8(daemon_.readAllStandardError());
        return;
    }
    home.env().set(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), address_);
}

namespace {

// The processes whose parent is `parent`, read from /proc.
QList<pid_t> childrenOf(qint64 parent) {
    QList<pid_t> found;
    const QStringList entries =
        QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        bool numeric = false;
        const pid_t pid = entry.toInt(&numeric);
        QFile stat(QStringLiteral("/proc/") + entry + QStringLiteral("/stat"));
        if (!numeric || !stat.open(QIODevice::ReadOnly)) {
            continue;
        }
        // "pid (comm) state ppid ...": the name may hold blanks, the last ')' ends it.
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields.at(1).toLongLong() == parent) {
            found.append(pid);
        }
    }
    return found;
}

}  // namespace

PrivateBus::~PrivateBus() {
    if (daemon_.state() == QProcess::NotRunning) {
        return;
    }
    // The services the bus started (dconf-service, xfconfd) end when it goes;
    // they become our children here so they can be waited for and not linger.
    // dbus-daemon starts services through a helper that leaves at once, so
    // they are already ours.
    QList<pid_t> services;
    for (const pid_t pid : childrenOf(getpid())) {
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        if (comm.open(QIODevice::ReadOnly) && pid != daemon_.processId() &&
            QList<QByteArray>{"dconf-service", "xfconfd"}.contains(comm.readAll().trimmed())) {
            services.append(pid);
        }
    }
    daemon_.terminate();
    if (!daemon_.waitForFinished(3000)) {
        daemon_.kill();
        daemon_.waitForFinished(1000);
    }
    for (const pid_t pid : services) {
        int status = 0;
        for (int i = 0; i < 100 && waitpid(pid, &status, WNOHANG) == 0; ++i) {
            QThread::msleep(20);
            if (i == 50) {
                kill(pid, SIGTERM);
            }
        }
    }
}

namespace {

QString socketPath(int display) {
    return QStringLiteral("/tmp/.X11-unix/X%1").arg(display);
}
// Whether a client gets through to the X server on display `n`.
bool answers(int n) {
    QProcess probe;
    probe.setStandardOutputFile(QProcess::nullDevice());
    probe.setStandardErrorFile(QProcess::nullDevice());
    probe.start(QStringLiteral("xdpyinfo"),
                {QStringLiteral("-display"), QStringLiteral(":%1").arg(n)});
    return probe.waitForFinished(5000) && probe.exitStatus() == QProcess::NormalExit &&
           probe.exitCode() == 0;
}

QString lockPath(int display) {
    return QStringLiteral("/tmp/.X%1-lock").arg(display);
}

// A display some server claims: by its lock file, its socket file, or its
// abstract socket (which the servers of every chroot share).
bool claimed(int display, const QByteArray& unixSockets) {
    return QFileInfo::exists(lockPath(display)) || QFileInfo::exists(socketPath(display)) ||
           unixSockets.contains(" @" + socketPath(display).toUtf8() + '\n');
}

}  // namespace

VirtualDisplay::VirtualDisplay() {
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty()) {
        error_ = QStringLiteral("Xvfb is not installed");
        return;
    }
    // Clients reach the server only through its socket file in
    // /tmp/.X11-unix: no TCP, and no abstract socket (-nolisten local), which
    // is shared with every chroot on the machine. Xvfb's own choice of a
    // display (-displayfd) sees a display in use only by that abstract socket
    // and takes no lock file, so the number is chosen here; the lock file Xvfb
    // takes settles a race with another test, whose loser tries the next one.
    if (::mkdir("/tmp/.X11-unix", 01777) == 0) {
        ::chmod("/tmp/.X11-unix", 01777);  // mkdir's mode passes the umask
    }
    QFile net(QStringLiteral("/proc/net/unix"));
    const QByteArray sockets = net.open(QIODevice::ReadOnly) ? net.readAll() : QByteArray();
    server_.setProcessChannelMode(QProcess::MergedChannels);
    for (int n = 20; n < 200 && display_.isEmpty(); ++n) {
        if (claimed(n, sockets)) {
            continue;
        }
        server_.start(
            xvfb, {QStringLiteral(":%1").arg(n), QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                   QStringLiteral("-nolisten"), QStringLiteral("local"),
                   // a real session has other clients; without them the
                   // server would reset, taking the root picture along
                   QStringLiteral("-noreset"), QStringLiteral("-screen"), QStringLiteral("0"),
                   QStringLiteral("320x240x24")});
        if (!server_.waitForStarted(5000)) {
            error_ = QStringLiteral("Xvfb did not start: ") + server_.errorString();
            return;
        }
        // Ready once its lock file names it and a client gets through: its
        // socket file is there from bind(), before Xvfb listens on it.
        for (int i = 0; i < 200 && !server_.waitForFinished(50); ++i) {
            QFile lock(lockPath(n));
            if (QFileInfo::exists(socketPath(n)) && lock.open(QIODevice::ReadOnly) &&
                lock.readAll().trimmed().toLongLong() == server_.processId() && answers(n)) {
                display_ = QStringLiteral(":%1").arg(n);
                break;
            }
        }
        if (display_.isEmpty()) {
            server_.kill();
            server_.waitForFinished(1000);
            error_ =
                QStringLiteral("Xvfb gave no display: ") + QString::fromUtf8(server_.readAll());
        }
    }
}

VirtualDisplay::~VirtualDisplay() {
    if (server_.state() != QProcess::NotRunning) {
        server_.terminate();
        if (!server_.waitForFinished(3000)) {
            server_.kill();
            server_.waitForFinished(1000);
        }
    }
}

StandIns::StandIns(TestHome& home) : dir_(home.path() + QStringLiteral("/stand-ins")) {
    QDir().mkpath(dir_);
    home.env().set(QStringLiteral("PATH"),
                   dir_ + QLatin1Char(':') + home.env().value(QStringLiteral("PATH")));
}

void StandIns::add(const QString& name, const QString& body) {
    QFile script(dir_ + QLatin1Char('/') + name);
    if (!script.open(QIODevice::WriteOnly)) {
        qWarning("cannot write %s", qPrintable(script.fileName()));
        return;
    }
    script.write(QStringLiteral("#!/bin/sh\n"
                                "for a in \"$@\"; do printf '%s\\n' \"$a\"; done >> \"%1/%2.log\"\n"
                                "echo -- >> \"%1/%2.log\"\n")
                     .arg(dir_, name)
                     .toUtf8());
    script.write(body.toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

QList<QStringList> StandIns::calls(const QString& name) const {
    QFile log(dir_ + QLatin1Char('/') + name + QStringLiteral(".log"));
    QList<QStringList> all;
    if (!log.open(QIODevice::ReadOnly)) {
        return all;
    }
    QStringList current;
    for (const QString& line : QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'))) {
        if (line == QStringLiteral("--")) {
            all.append(current);
            current.clear();
        } else if (!line.isEmpty()) {
            current.append(line);
        }
    }
    return all;
}

QString missingTool(const QStringList& tools) {
    for (const QString& tool : tools) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            return tool;
        }
    }
    return {};
}

void stopProcess(QProcess& process, int graceMs) {
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(graceMs)) {
        process.kill();
        process.waitForFinished(2000);
    }
}

QImage grabRoot(const TestHome& home) {
    const QString file = home.path() + QStringLiteral("/root.png");
    QFile::remove(file);
    runIn(home.env(), QStringLiteral("import"),
          {QStringLiteral("-silent"), QStringLiteral("-window"), QStringLiteral("root"), file});
    return QImage(file);
}

QString runIn(const desktop::SessionEnvironment& env, const QString& program,
              const QStringList& args, int* exitCode) {
    QProcess p;
    p.setProcessEnvironment(env.processEnvironment());
    p.start(env.findExecutable(program), args);
    p.waitForFinished(10000);
    if (exitCode) {
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

}  // namespace desktoptest
