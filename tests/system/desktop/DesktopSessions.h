#pragma once
// Throw-away sessions for the desktop tests: a temporary home, a private
// D-Bus session bus (which starts dconf and xfconfd on demand), a virtual X
// server, and a folder of recording stand-in programs put first on PATH.

#include <QImage>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

#include "system/desktop/SessionEnvironment.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace desktoptest {

// A home of its own: HOME, XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_RUNTIME_DIR,
// the system PATH, and nothing else of the caller's session.
class TestHome {
public:
    TestHome();
    QString path() const { return dir_.path(); }
    QString configHome() const { return dir_.path() + QStringLiteral("/config"); }
    QString runtimeDir() const { return dir_.path() + QStringLiteral("/run"); }
    desktop::SessionEnvironment& env() { return env_; }
    const desktop::SessionEnvironment& env() const { return env_; }

    // A small picture written as a bitmap at `relative` (folders made as needed).
    QString writePicture(const QString& relative, int width = 16, int height = 12) const;

private:
    QTemporaryDir dir_;
    desktop::SessionEnvironment env_{QProcessEnvironment()};
};

// dbus-daemon --session on a socket inside the home, with the home's
// environment, so services it starts keep their data there. Sets
// DBUS_SESSION_BUS_ADDRESS in the home's environment.
class PrivateBus {
public:
    enum class Services { Installed, None };
    // With Services::None the bus starts nothing on demand.
    explicit PrivateBus(TestHome& home, Services services = Services::Installed);
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    bool running() const { return !address_.isEmpty(); }
    QString error() const { return error_; }
    QString address() const { return address_; }

private:
    QProcess daemon_;
    QString address_;
    QString error_;
};

// Xvfb on the first free display; DISPLAY is set in the home's environment.
class VirtualDisplay {
public:
    VirtualDisplay();
    ~VirtualDisplay();
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    bool running() const { return !display_.isEmpty(); }
    QString error() const { return error_; }
    QString display() const { return display_; }

private:
    QProcess server_;
    QString display_;
    QString error_;
};

// Shell scripts standing in for a desktop's tools; each appends its arguments,
// one per line and a line "--" after them, to <dir>/<name>.log before running
// the body it was given.
class StandIns {
public:
    explicit StandIns(TestHome& home);  // puts the folder first on the home's PATH
    void add(const QString& name, const QString& body = {});
    // The argument lists of every call so far.
    QList<QStringList> calls(const QString& name) const;
    QString dir() const { return dir_; }

private:
    QString dir_;
};

// The first of `tools` missing from PATH, or empty.
QString missingTool(const QStringList& tools);

// Runs a tool in the home's environment; its standard output, trimmed.
QString runIn(const desktop::SessionEnvironment& env, const QString& program,
              const QStringList& args, int* exitCode = nullptr);

// Ends a desktop's process: asked to terminate, killed if it lingers.
void stopProcess(QProcess& process, int graceMs = 10000);

// The X root window as it is drawn now (ImageMagick's import), saved in the home.
QImage grabRoot(const TestHome& home);

// A folder and file name with blanks, %, #, a quote and letters beyond ASCII.
inline const QString kAwkwardPicture = QStringLiteral("Bilder mit Lücke/100% #1 l'été ß 壁紙.bmp");

}  // namespace desktoptest
