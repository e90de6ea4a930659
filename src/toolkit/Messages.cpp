#include "toolkit/Messages.h"

#include <QApplication>
#include <QMessageBox>

namespace tk {

void MessageBoxes::show(MessageKind kind, const QString& text, const QString& title,
                        QWidget* parent) {
    QMessageBox box(parent != nullptr ? parent : QApplication::activeWindow());
    box.setText(text);
    box.setWindowTitle(title);
    switch (kind) {
        case MessageKind::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageKind::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageKind::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

}  // namespace tk
