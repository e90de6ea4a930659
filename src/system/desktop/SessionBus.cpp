#include "system/desktop/SessionBus.h"
#include "toolkit/Translations.h"

#include <QDBusConnectionInterface>
#include <atomic>

namespace desktop {

namespace {
QString nextConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("tessaryn-desktop-%1").arg(++counter);
}
}  // namespace

QString SessionBus::missingFrom(const SessionEnvironment& env) {
    return env.sessionBusAddress().isEmpty()
               ? tk::Text::tr("no D-Bus session bus (DBUS_SESSION_BUS_ADDRESS is not set)")
               : QString();
}

SessionBus::SessionBus(const SessionEnvironment& env, int timeoutMs)
    : name_(nextConnectionName()), connection_(name_), timeoutMs_(timeoutMs) {
    error_ = missingFrom(env);
    if (!error_.isEmpty()) {
        return;
    }
    const QString address = env.sessionBusAddress();
    connection_ = QDBusConnection::connectToBus(address, name_);
    connected_ = connection_.isConnected();
    if (!connected_) {
        const QString why = connection_.lastError().message();
        error_ = tk::Text::tr("the D-Bus session bus cannot be reached") +
                 (why.isEmpty() ? QString() : QStringLiteral(": ") + why);
    }
}

SessionBus::~SessionBus() {
    QDBusConnection::disconnectFromBus(name_);
}

bool SessionBus::hasService(const QString& service) const {
    if (!connected_) {
        return false;
    }
    // Activatable services count: the bus starts them on the first call.
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    ask << service;
    QString failure;
    const QDBusMessage reply = call(ask, &failure);
    if (failure.isEmpty() && !reply.arguments().isEmpty() && reply.arguments().first().toBool()) {
        return true;
    }
    QDBusMessage list = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListActivatableNames"));
    const QDBusMessage names = call(list, &failure);
    return failure.isEmpty() && !names.arguments().isEmpty() &&
           names.arguments().first().toStringList().contains(service);
}

QDBusMessage SessionBus::call(const QDBusMessage& message, QString* failure) const {
    failure->clear();
    if (!connected_) {
        *failure = error_;
        return {};
    }
    const QDBusMessage reply = connection_.call(message, QDBus::Block, timeoutMs_);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        QString text = reply.errorMessage().trimmed();
        if (text.isEmpty()) {
            text = reply.errorName();
        }
        *failure = text.section(QLatin1Char('\n'), 0, 0);
    } else if (reply.type() != QDBusMessage::ReplyMessage) {
        *failure = tk::Text::tr("no answer over D-Bus");
    }
    return reply;
}

}  // namespace desktop
