#pragma once
// How the font dialog and its colour chooser are run: modally for the user,
// or answered by a script in tests. main makes one ModalDialogs and hands it
// down with the other services.

#include <QColor>

class QWidget;

namespace tk {

class FontDialogWidget;

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Runs the prefilled font dialog; true when the user confirms a choice.
    virtual bool runFontDialog(FontDialogWidget& dialog) = 0;
    // Asks for a colour of the user's own; an invalid colour when cancelled.
    virtual QColor pickColor(const QColor& initial, QWidget* parent) = 0;
};

class ModalDialogs : public Dialogs {
public:
    bool runFontDialog(FontDialogWidget& dialog) override;
    QColor pickColor(const QColor& initial, QWidget* parent) override;
};

}  // namespace tk
