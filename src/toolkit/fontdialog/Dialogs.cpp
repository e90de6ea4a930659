#include "toolkit/fontdialog/Dialogs.h"

#include <QColorDialog>

#include "toolkit/fontdialog/FontDialogWidget.h"

namespace tk {

bool ModalDialogs::runFontDialog(FontDialogWidget& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

QColor ModalDialogs::pickColor(const QColor& initial, QWidget* parent) {
    return QColorDialog::getColor(initial, parent, FontDialogWidget::tr("Colour"));
}

}  // namespace tk
