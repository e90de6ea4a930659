// The main window's two commands that open other windows: "Drag Calendar"
// and the font button.
#include <exception>

#include "mainwindow/MainWindow.h"
#include "toolkit/Messages.h"
#include "toolkit/OptionButton.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Translations.h"
#include "toolkit/fontdialog/CommonDialog.h"

namespace mainwindow {

void MainWindow::startPlacement() {
    // What is placed is what the preview shows; a preview too small to draw
    // shows no calendar, and a picture left from an earlier size would be
    // placed in its stead.
    if (previewCalendarSize() < 1) {
        services_.messages.inform(
            tk::Text::tr("The window is too small to show the calendar, so there is nothing to "
                         "place.\nMake the window larger and press \"Drag Calendar\" again."),
            tk::Text::tr("Tessaryn Info."), this);
        return;
    }
    placement_.start(*preview, *this, wallpaper_, this);
}

void MainWindow::chooseFont() {
    size_t k = 0;
    while (k < kindButtons.size() && !kindButtons[k]->isChecked()) {
        ++k;
    }
    if (k == kindButtons.size()) {
        return;  // no kind selected: nothing to colour
    }
    tk::CommonDialog& dlg = *fontDialog;
    dlg.CancelError = true;
    // From here on a failure or a cancel ends the command silently; what was
    // already applied stays applied.
    try {
        dlg.Flags = tk::CF_SCREENFONTS | tk::CF_EFFECTS | tk::CF_ANSIONLY | tk::CF_TTONLY;
        tk::PictureSurface& paper = *preview->surface();
        QFont font = paper.font();
        dlg.FontBold = font.bold();
        dlg.FontItalic = font.italic();
        dlg.FontName = font.family();
        dlg.FontSize = static_cast<float>(font.pointSizeF());
        dlg.FontUnderline = font.underline();
        dlg.Color = kindButtons[k]->textColor();
        dlg.ShowFont();

        font.setFamily(dlg.FontName);
        font.setPointSizeF(dlg.FontSize);
        font.setBold(dlg.FontBold);
        font.setItalic(dlg.FontItalic);
        font.setUnderline(dlg.FontUnderline);
        font.setStrikeOut(dlg.FontStrikethru);
        paper.setFont(font);
        kindButtons[k]->setTextColor(dlg.Color);
        showFontName();
        drawPreview();
    } catch (const std::exception&) {
        return;
    }
}

}  // namespace mainwindow
