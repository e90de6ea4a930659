#include "toolkit/fontdialog/FontDialog.h"

#include "toolkit/fontdialog/Dialogs.h"
#include "toolkit/fontdialog/FontDialogWidget.h"

namespace tk {

std::optional<FontChoice> FontDialog::choose(const FontChoice& current,
                                             const FontOptions& options) {
    FontDialogWidget dialog(options, *messages_, *dialogs_, owner_);
    if (dialog.listedFaces().isEmpty()) {
        return std::nullopt;
    }
    dialog.prefill(current);
    if (!dialogs_->runFontDialog(dialog)) {
        return std::nullopt;
    }
    FontChoice chosen = current;
    dialog.copyChoiceTo(chosen);
    return chosen;
}

}  // namespace tk
