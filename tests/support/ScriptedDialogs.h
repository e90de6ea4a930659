#pragma once
// The font dialog answered by the test: `answer` gets the shown, prefilled
// widget and returns true to confirm; `colorAnswer` stands for the colour
// chooser. A confirmation the real dialog would refuse (OK disabled, a face
// it does not list) counts as a cancel, with a warning. Without an answer
// the real modal dialog runs.

#include <QColor>
#include <functional>

#include "toolkit/fontdialog/Dialogs.h"
#include "toolkit/fontdialog/FontDialogWidget.h"

class ScriptedDialogs : public tk::ModalDialogs {
public:
    std::function<bool(tk::FontDialogWidget&)> answer;
    std::function<QColor(const QColor& initial, QWidget* parent)> colorAnswer;

    bool runFontDialog(tk::FontDialogWidget& dialog) override {
        if (!answer) {
            return ModalDialogs::runFontDialog(dialog);
        }
        dialog.show();  // shown but not run: the answer sees laid-out controls
        bool confirmed = answer(dialog);
        if (confirmed && !dialog.canAccept()) {
            qWarning("ScriptedDialogs: confirmed a dialog whose OK is disabled");
            confirmed = false;
        } else if (confirmed && !dialog.takeListedFace(false)) {
            qWarning("ScriptedDialogs: confirmed a face that is not listed");
            confirmed = false;
        }
        dialog.hide();
        return confirmed;
    }
    QColor pickColor(const QColor& initial, QWidget* parent) override {
        return colorAnswer ? colorAnswer(initial, parent)
                           : ModalDialogs::pickColor(initial, parent);
    }
};
