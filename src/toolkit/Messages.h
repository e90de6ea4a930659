#pragma once
// The program's message boxes: a text, a title, the kind's icon and an OK
// button. Windows are given a Messages by main; tests give them a recorder.

#include <QString>

class QWidget;

namespace tk {

enum class MessageKind { Information, Warning, Critical };

class Messages {
public:
    virtual ~Messages() = default;

    // Shows the message over `parent` (the active window where null) and
    // returns once the user has answered it.
    virtual void show(MessageKind kind, const QString& text, const QString& title,
                      QWidget* parent) = 0;

    void inform(const QString& text, const QString& title, QWidget* parent) {
        show(MessageKind::Information, text, title, parent);
    }
    void warn(const QString& text, const QString& title, QWidget* parent) {
        show(MessageKind::Warning, text, title, parent);
    }
};

// Modal QMessageBoxes.
class MessageBoxes final : public Messages {
public:
    void show(MessageKind kind, const QString& text, const QString& title,
              QWidget* parent) override;
};

}  // namespace tk
