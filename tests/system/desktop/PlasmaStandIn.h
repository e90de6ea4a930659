#pragma once
// A plasmashell for the tests: it owns org.kde.plasmashell on a bus and runs
// the scripts it is sent through a JavaScript engine, with the part of
// Plasma's desktop scripting API the backend uses, behaving the way
// plasma-workspace's own code does (each behaviour names the file it follows).

#include <QDBusContext>
#include <QJSValue>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QStringList>
#include <QThread>

namespace desktoptest {

// One desktop containment: the wallpaper plugin and its configuration,
// keyed "Wallpaper/<plugin>/General/<key>" as in plasma-org.kde.plasma.desktop-appletsrc.
struct PlasmaDesktop {
    uint id = 0;
    int screen = 0;
    QString plugin = QStringLiteral("org.kde.image");
    QMap<QString, QString> config;

    QString wallpaper(const QString& key) const {
        return config.value(QStringLiteral("Wallpaper/%1/General/%2").arg(plugin, key));
    }
};

class PlasmaShell : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")
public:
    QString version = QStringLiteral("5.27.5");  // Debian 12
    QList<PlasmaDesktop> desktops;
    bool locked = false;
    bool ignoresWrites = false;
    QStringList scripts;
    mutable QMutex mutex;

public slots:
    QString evaluateScript(const QString& script);
};

// A PlasmaShell answering on `address` from a thread of its own, so that the
// backend's blocking calls from the test's thread get through.
class RunningPlasma {
public:
    explicit RunningPlasma(const QString& address);
    ~RunningPlasma();
    RunningPlasma(const RunningPlasma&) = delete;
    RunningPlasma& operator=(const RunningPlasma&) = delete;

    bool registered() const { return registered_; }
    PlasmaShell& shell() { return *shell_; }

private:
    QThread thread_;
    PlasmaShell* shell_;
    bool registered_ = false;
};

}  // namespace desktoptest
