#pragma once
// Message boxes, reached through one seam so tests can answer them without a
// blocking dialog. The code is the sum of a button set and an icon
// (64 = OK button with the information icon).

#include <QString>
#include <functional>

class QWidget;

namespace tk {

constexpr int vbOKOnly = 0;
constexpr int vbCritical = 16;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
constexpr int vbOK = 1;

struct MessageRequest {
    QString prompt;
    int buttons = vbOKOnly;
    QString title;
};

// Shows the box modally and returns the pressed button's code (1 = OK).
int MsgBox(const QString& prompt, int buttons, const QString& title, QWidget* parent = nullptr);

// While set, MsgBox asks this instead of showing a window.
void setMessageBoxResponder(std::function<int(const MessageRequest&)> responder);

}  // namespace tk
