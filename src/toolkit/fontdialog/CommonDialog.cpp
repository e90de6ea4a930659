#include "toolkit/fontdialog/CommonDialog.h"

#include "toolkit/fontdialog/FontDialogWidget.h"

#include <QtGlobal>

#include <utility>

namespace tk {

namespace {
// The process-wide test seam that answers the font dialog; empty while the
// dialog runs its own modal loop.
CommonDialog::TestResponder& testResponder() {
    static CommonDialog::TestResponder responder;
    return responder;
}
}  // namespace

void CommonDialog::setTestResponder(TestResponder responder) {
    testResponder() = std::move(responder);
}

bool CommonDialog::ShowFont() {
    FontDialogWidget dialog(Flags, *messages_, owner_);
    if (dialog.listedFaces().isEmpty()) {
        throw NoFontsError();
    }
    dialog.prefill(*this);

    bool confirmed = false;
    if (const TestResponder& respond = testResponder()) {
        // Shown but not run, so the responder sees laid-out, visible controls.
        dialog.show();
        confirmed = respond(dialog);
        if (confirmed && !dialog.canAccept()) {
            qWarning("CommonDialog: the test responder confirmed a dialog whose OK is disabled");
            confirmed = false;
        } else if (confirmed && !dialog.takeListedFace(false)) {
            qWarning("CommonDialog: the test responder confirmed a face that is not listed");
            confirmed = false;
        }
        dialog.hide();
    } else {
        confirmed = dialog.exec() == QDialog::Accepted;
    }

    if (!confirmed) {
        if (CancelError) {
            throw tk::CancelError();
        }
        return false;
    }
    dialog.copyChoiceTo(*this);
    return true;
}

}  // namespace tk
