#include "toolkit/fontdialog/CommonDialog.h"

#include "toolkit/fontdialog/Dialogs.h"
#include "toolkit/fontdialog/FontDialogWidget.h"

namespace tk {

bool CommonDialog::ShowFont() {
    FontDialogWidget dialog(Flags, *messages_, *dialogs_, owner_);
    if (dialog.listedFaces().isEmpty()) {
        throw NoFontsError();
    }
    dialog.prefill(*this);

    if (!dialogs_->runFontDialog(dialog)) {
        if (CancelError) {
            throw tk::CancelError();
        }
        return false;
    }
    dialog.copyChoiceTo(*this);
    return true;
}

}  // namespace tk
