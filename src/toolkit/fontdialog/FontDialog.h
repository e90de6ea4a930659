#pragma once
// FontDialog: the font dialog behind the main window's font command. It shows
// a modal FontDialogWidget prefilled with a font and returns what the user
// confirms.

#include <QPointer>
#include <QWidget>

#include <optional>

#include "toolkit/fontdialog/FontChoice.h"

namespace tk {

class Dialogs;
class Messages;

class FontDialog {
public:
    // The dialog opens over `owner` (may be null), is run by `dialogs` and
    // tells the user through `messages`; both must outlive it.
    FontDialog(Messages& messages, Dialogs& dialogs, QWidget* owner = nullptr)
        : messages_(&messages), dialogs_(&dialogs), owner_(owner) {}

    // Shows the dialog prefilled with `current`. On OK the result is the
    // user's choice; the effects and the colour are those of `current` when
    // `options` hides them. Nothing on cancel, and nothing without opening
    // when the filter leaves no face to list.
    std::optional<FontChoice> choose(const FontChoice& current, const FontOptions& options);

private:
    Messages* messages_;
    Dialogs* dialogs_;
    QPointer<QWidget> owner_;
};

}  // namespace tk
