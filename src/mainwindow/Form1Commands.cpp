// The main window's two commands that open other windows: "Drag Calendar"
// and the font button.
#include <exception>

#include "calendar/cCalendar.h"
#include "mainwindow/Form1.h"
#include "placement/PlacementStart.h"
#include "toolkit/OptionButton.h"
#include "toolkit/PictureBox.h"
#include "toolkit/fontdialog/CommonDialog.h"

void Form1::cmdDrag_Click() {
    StartPlacement(*Picture1, *this, this);
}

void Form1::Command1_Click() {
    size_t k = 0;
    while (k < optFont.size() && !optFont[k]->isChecked()) {
        ++k;
    }
    if (k == optFont.size()) {
        return;  // no kind selected: nothing to colour
    }
    tk::CommonDialog& dlg = *CommonDialog1;
    dlg.CancelError = true;
    // From here on a failure or a cancel ends the command silently; what was
    // already applied stays applied.
    try {
        dlg.Flags = tk::CF_SCREENFONTS | tk::CF_EFFECTS | tk::CF_ANSIONLY | tk::CF_TTONLY;
        tk::PictureSurface& paper = *Picture1->surface();
        QFont font = paper.font();
        dlg.FontBold = font.bold();
        dlg.FontItalic = font.italic();
        dlg.FontName = font.family();
        dlg.FontSize = static_cast<float>(font.pointSizeF());
        dlg.FontUnderline = font.underline();
        dlg.Color = optFont[k]->ForeColor();
        dlg.ShowFont();

        font.setFamily(dlg.FontName);
        font.setPointSizeF(dlg.FontSize);
        font.setBold(dlg.FontBold);
        font.setItalic(dlg.FontItalic);
        font.setUnderline(dlg.FontUnderline);
        font.setStrikeOut(dlg.FontStrikethru);
        paper.setFont(font);
        optFont[k]->setForeColor(dlg.Color);
        showFontName();
        DrawPreview();
    } catch (const std::exception&) {
        return;
    }
}
