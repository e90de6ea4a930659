#include "PlasmaStandIn.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QJSEngine>

namespace desktoptest {

namespace {

// shell/scripting/containment.cpp and applet.cpp: a desktop as the script sees
// it. readConfig/writeConfig work in currentConfigGroup, below the
// containment's own group; values go through KConfig, so they come back as
// strings.
class ScriptDesktop : public QObject {
    Q_OBJECT
    Q_PROPERTY(uint id READ id CONSTANT)
    Q_PROPERTY(int screen READ screen CONSTANT)
    Q_PROPERTY(QString wallpaperPlugin READ wallpaperPlugin WRITE setWallpaperPlugin)
    Q_PROPERTY(QStringList currentConfigGroup READ currentConfigGroup WRITE setCurrentConfigGroup)
public:
    ScriptDesktop(PlasmaDesktop* desktop, bool writable) : desktop_(desktop), writable_(writable) {}

    uint id() const { return desktop_->id; }
    int screen() const { return desktop_->screen; }
    QString wallpaperPlugin() const { return desktop_->plugin; }
    void setWallpaperPlugin(const QString& plugin) {
        if (writable_) {
            desktop_->plugin = plugin;
        }
    }
    QStringList currentConfigGroup() const { return group_; }
    void setCurrentConfigGroup(const QStringList& group) { group_ = group; }

    // Applet::readConfig(key, default): KConfigGroup::readEntry with the default.
    Q_INVOKABLE QVariant readConfig(const QString& key, const QJSValue& def = QJSValue()) const {
        const QString path = entry(key);
        if (!desktop_->config.contains(path)) {
            return def.toVariant();
        }
        return desktop_->config.value(path);
    }
    Q_INVOKABLE void writeConfig(const QString& key, const QJSValue& value) {
        if (writable_) {
            desktop_->config.insert(entry(key), value.toString());
        }
    }

private:
    QString entry(const QString& key) const {
        return (group_ + QStringList{key}).join(QLatin1Char('/'));
    }

    PlasmaDesktop* desktop_;
    bool writable_;
    QStringList group_;
};

// shell/scripting/scriptengine.cpp and scriptengine_v1.cpp: the globals.
class ScriptGlobals : public QObject {
    Q_OBJECT
public:
    ScriptGlobals(QJSEngine* engine, PlasmaShell* shell, QString* out)
        : engine_(engine), shell_(shell), out_(out) {}

    // desktops(): every desktop containment, in the corona's order.
    Q_INVOKABLE QJSValue desktops() {
        QJSValue list = engine_->newArray(static_cast<uint>(shell_->desktops.size()));
        for (qsizetype i = 0; i < shell_->desktops.size(); ++i) {
            auto* d = new ScriptDesktop(&shell_->desktops[i], !shell_->ignoresWrites);
            QJSEngine::setObjectOwnership(d, QJSEngine::JavaScriptOwnership);
            list.setProperty(static_cast<quint32>(i), engine_->newQObject(d));
        }
        return list;
    }
    // shell/shellcorona.cpp, ShellCorona::evaluateScript: every print() goes
    // into one QTextStream with nothing between the strings.
    Q_INVOKABLE void print(const QJSValue& text) { *out_ += text.toString(); }

private:
    QJSEngine* engine_;
    PlasmaShell* shell_;
    QString* out_;
};

}  // namespace

QString PlasmaShell::evaluateScript(const QString& script) {
    const QMutexLocker lock(&mutex);
    scripts << script;
    // shell/shellcorona.cpp: an immutable corona refuses scripts from D-Bus.
    if (locked) {
        sendErrorReply(QDBusError::Failed, QStringLiteral("Widgets are locked"));
        return {};
    }
    QJSEngine engine;
    QString out;
    ScriptGlobals globals(&engine, this, &out);
    QJSValue global = engine.globalObject();
    const QJSValue self = engine.newQObject(&globals);
    QJSEngine::setObjectOwnership(&globals, QJSEngine::CppOwnership);
    global.setProperty(QStringLiteral("__shell"), self);
    global.setProperty(QStringLiteral("applicationVersion"), version);
    engine.evaluate(
        QStringLiteral("function desktops() { return __shell.desktops(); }\n"
                       "function print(text) { __shell.print(String(text)); }\n"));
    const QJSValue result = engine.evaluate(script);
    // shell/shellcorona.cpp: a script error becomes the D-Bus error, the
    // printed text is lost.
    if (result.isError()) {
        sendErrorReply(QDBusError::Failed, result.toString());
        return {};
    }
    return out;
}

RunningPlasma::RunningPlasma(const QString& address) : shell_(new PlasmaShell) {
    shell_->moveToThread(&thread_);
    thread_.start();
    QDBusConnection c = QDBusConnection::connectToBus(address, QStringLiteral("plasma-stand-in"));
    registered_ =
        c.registerService(QStringLiteral("org.kde.plasmashell")) &&
        c.registerObject(QStringLiteral("/PlasmaShell"), shell_, QDBusConnection::ExportAllSlots);
}

RunningPlasma::~RunningPlasma() {
    QDBusConnection::disconnectFromBus(QStringLiteral("plasma-stand-in"));
    thread_.quit();
    thread_.wait();
    delete shell_;
}

}  // namespace desktoptest

#include "PlasmaStandIn.moc"
