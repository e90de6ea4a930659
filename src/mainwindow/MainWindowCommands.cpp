// The main window's two commands that open other windows: "Drag Calendar"
// and the font button.
#include <optional>

#include "mainwindow/MainWindow.h"
#include "toolkit/Messages.h"
#include "toolkit/OptionButton.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Translations.h"
#include "toolkit/fontdialog/FontDialog.h"

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
    tk::PictureSurface& paper = *preview->surface();
    QFont font = paper.font();
    tk::FontChoice current = lastFontChoice_;
    current.face = font.family();
    current.size = static_cast<float>(font.pointSizeF());
    current.bold = font.bold();
    current.italic = font.italic();
    current.underline = font.underline();
    current.color = kindButtons[k]->textColor();
    const tk::FontOptions options{.faces = {.latinOnly = true, .scalableOnly = true},
                                  .showEffects = true};
    // A cancel, or no face to offer, changes nothing.
    const std::optional<tk::FontChoice> chosen =
        tk::FontDialog(services_.messages, services_.dialogs, this).choose(current, options);
    if (!chosen) {
        return;
    }
    lastFontChoice_ = *chosen;

    font.setFamily(chosen->face);
    font.setPointSizeF(chosen->size);
    font.setBold(chosen->bold);
    font.setItalic(chosen->italic);
    font.setUnderline(chosen->underline);
    font.setStrikeOut(chosen->strikeout);
    paper.setFont(font);
    kindButtons[k]->setTextColor(chosen->color);
    showFontName();
    drawPreview();
}

}  // namespace mainwindow
