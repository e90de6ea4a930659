#include "toolkit/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace tk {

namespace {
// The process-wide test seam that answers message boxes instead of the user;
// empty while boxes are shown.
std::function<int(const MessageRequest&)>& messageBoxTestSeam() {
    static std::function<int(const MessageRequest&)> responder;
    return responder;
}
}  // namespace

int MsgBox(const QString& prompt, int buttons, const QString& title, QWidget* parent) {
    if (const auto& respond = messageBoxTestSeam()) {
        return respond(MessageRequest{prompt, buttons, title});
    }
    QMessageBox box(parent != nullptr ? parent : QApplication::activeWindow());
    box.setText(prompt);
    box.setWindowTitle(title);
    switch (buttons & 0x70) {
        case MessageCode::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
        case MessageCode::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageCode::Information:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return MessageCode::Ok;
}

void setMessageBoxResponder(std::function<int(const MessageRequest&)> responder) {
    messageBoxTestSeam() = std::move(responder);
}

}  // namespace tk
