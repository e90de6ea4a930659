#pragma once
// Message boxes answered with OK and kept for the test to read, with
// whether the busy pointer was up over them.

#include <QGuiApplication>
#include <QString>
#include <vector>

#include "toolkit/Messages.h"

struct ShownMessage {
    tk::MessageKind kind;
    QString prompt;
    QString title;
    bool busyPointer;  // the busy pointer was up while it showed
};

class MessageRecorder : public tk::Messages {
public:
    void show(tk::MessageKind kind, const QString& text, const QString& title,
              QWidget* /*parent*/) override {
        shown.push_back({kind, text, title, QGuiApplication::overrideCursor() != nullptr});
    }
    std::vector<ShownMessage> shown;
};
