#pragma once
// Message boxes, reached through one seam so tests can answer them without a
// blocking dialog. The code is the sum of a button set and an icon
// (64 = OK button with the information icon).

#include <QString>
#include <functional>

class QWidget;

namespace tk {

// The button set and icon codes a box is asked with, and the code of its
// OK button.
struct MessageCode {
    static constexpr int OkOnly = 0;
    static constexpr int Critical = 16;
    static constexpr int Exclamation = 48;
    static constexpr int Information = 64;
    static constexpr int Ok = 1;
};

struct MessageRequest {
    QString prompt;
    int buttons = MessageCode::OkOnly;
    QString title;
};

// Shows the box modally and returns the pressed button's code (1 = OK).
int MsgBox(const QString& prompt, int buttons, const QString& title, QWidget* parent = nullptr);

// While set, MsgBox asks this instead of showing a window.
void setMessageBoxResponder(std::function<int(const MessageRequest&)> responder);

}  // namespace tk
