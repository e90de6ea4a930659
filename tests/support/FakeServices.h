#pragma once
// Stand-ins for what main hands the windows: a recorder that answers every
// message with OK, a scripted font dialog, a fixed day, and the desktop of a
// machine without one.

#include <QDate>

#include "placement/Services.h"
#include "support/MessageRecorder.h"
#include "support/ScriptedDialogs.h"
#include "system/desktop/NoneBackend.h"
#include "toolkit/Clock.h"

class FixedClock : public tk::Clock {
public:
    explicit FixedClock(QDate day = QDate::currentDate()) : day_(day) {}
    QDate today() const override { return day_; }

private:
    QDate day_;
};

// `desktop` may be pointed at another backend before the services are handed out.
struct FakeServices {
    desktop::NoneBackend none;
    desktop::DesktopBackend* desktop = &none;
    MessageRecorder messages;
    ScriptedDialogs dialogs;
    FixedClock clock;

    placement::Services services() { return {*desktop, messages, dialogs, clock}; }
};
