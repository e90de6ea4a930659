#pragma once
// The session as the desktop backends see it: environment variables and the
// directories and tools they lead to. A value, so tests hand the backends a
// made-up session instead of the one the program runs in.

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace desktop {

class SessionEnvironment {
public:
    explicit SessionEnvironment(QProcessEnvironment env) : env_(std::move(env)) {}

    // The environment this program was started with.
    static SessionEnvironment system();

    // Empty when unset.
    QString value(const QString& name) const { return env_.value(name); }
    // Set and not empty.
    bool has(const QString& name) const { return !env_.value(name).isEmpty(); }
    void set(const QString& name, const QString& value) { env_.insert(name, value); }
    void unset(const QString& name) { env_.remove(name); }

    // The environment handed to the tools we run.
    const QProcessEnvironment& processEnvironment() const { return env_; }

    // Absolute path of `program` found on this session's PATH, or empty.
    QString findExecutable(const QString& program) const;

    QString home() const;
    // XDG_CONFIG_HOME and XDG_DATA_HOME when absolute, else ~/.config and
    // ~/.local/share (see sys::xdgFolder).
    QString configHome() const;
    QString dataHome() const;
    QStringList configDirs() const;  // XDG_CONFIG_DIRS, else /etc/xdg
    QString runtimeDir() const;      // XDG_RUNTIME_DIR, may be empty
    // dataHome(), then XDG_DATA_DIRS (else /usr/local/share, /usr/share)
    QStringList dataDirs() const;
    // Where this program keeps its wallpapers and the copies it hands to desktops.
    QString ownDataDir() const { return dataHome() + QStringLiteral("/tessaryn"); }

    // D-Bus address of the session bus, or empty when the session has none.
    QString sessionBusAddress() const;

private:
    QProcessEnvironment env_;
};

// What every backend is built with.
struct DesktopContext {
    SessionEnvironment env = SessionEnvironment::system();
    int toolTimeoutMs = 10000;  // one external tool or D-Bus call
    int settleMs = 3000;        // how long a desktop may take to store what it was told
    QString procRoot = QStringLiteral("/proc");
};

}  // namespace desktop
