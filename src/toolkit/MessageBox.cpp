#include "toolkit/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace tk {

namespace {
std::function<int(const MessageRequest&)> g_responder;
}

int MsgBox(const QString& prompt, int buttons, const QString& title, QWidget* parent) {
    if (g_responder) {
        return g_responder(MessageRequest{prompt, buttons, title});
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
    g_responder = std::move(responder);
}

}  // namespace tk
