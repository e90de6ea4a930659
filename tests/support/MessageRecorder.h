#pragma once
// Message boxes answered with OK and kept for the test to read.

#include <QString>
#include <vector>

#include "toolkit/Messages.h"

struct ShownMessage {
    tk::MessageKind kind;
    QString prompt;
    QString title;
};

class MessageRecorder : public tk::Messages {
public:
    void show(tk::MessageKind kind, const QString& text, const QString& title,
              QWidget* /*parent*/) override {
        shown.push_back({kind, text, title});
    }
    std::vector<ShownMessage> shown;
};
