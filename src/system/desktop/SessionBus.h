#pragma once
// A private connection to the session's D-Bus bus (the address comes from the
// session, not from this process), with bounded calls.

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>

#include "system/desktop/SessionEnvironment.h"

namespace desktop {

class SessionBus {
public:
    SessionBus(const SessionEnvironment& env, int timeoutMs);
    ~SessionBus();
    SessionBus(const SessionBus&) = delete;
    SessionBus& operator=(const SessionBus&) = delete;

    // Why `env` has no session bus to connect to; empty when it names one.
    static QString missingFrom(const SessionEnvironment& env);

    bool connected() const { return connected_; }
    // Why there is no connection, one line.
    QString error() const { return error_; }

    bool hasService(const QString& service) const;

    // A method call; the reply or an error message. `failure` gets one line when
    // the call did not return normally.
    QDBusMessage call(const QDBusMessage& message, QString* failure) const;

private:
    QString name_;
    QDBusConnection connection_;
    bool connected_ = false;
    QString error_;
    int timeoutMs_;
};

}  // namespace desktop
