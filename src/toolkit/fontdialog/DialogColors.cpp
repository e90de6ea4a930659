#include "toolkit/fontdialog/DialogColors.h"

#include "toolkit/Colors.h"

#include <QCoreApplication>
#include <array>

namespace tk::fontdialog {

namespace {
constexpr std::array<StandardColor, 16> kStandard{{
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Black"), 0x000000},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Maroon"), 0x000080},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Green"), 0x008000},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Olive"), 0x008080},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Navy"), 0x800000},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Purple"), 0x800080},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Teal"), 0x808000},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Grey"), 0x808080},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Silver"), 0xC0C0C0},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Red"), 0x0000FF},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Lime"), 0x00FF00},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Yellow"), 0x00FFFF},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Blue"), 0xFF0000},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Fuchsia"), 0xFF00FF},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "Aqua"), 0xFFFF00},
    {QT_TRANSLATE_NOOP("tk::FontDialogWidget", "White"), 0xFFFFFF},
}};

constexpr uint32_t kSystemBit = 0x80000000u;
constexpr uint32_t kWindowBackground = 0x05;
constexpr uint32_t kWindowText = 0x08;
constexpr uint32_t kGreyText = 0x11;

uint32_t bits(int32_t v) {
    return static_cast<uint32_t>(v);
}
}  // namespace

std::span<const StandardColor> standardColors() {
    return kStandard;
}

bool isSystemColor(int32_t bgr) {
    return tk::isSystemColor(bgr);
}

QColor toQColor(int32_t bgr, const QPalette& palette) {
    return tk::resolveColor(bgr, palette);
}

QColor toQColor(int32_t bgr) {
    return tk::resolveColor(bgr);
}

int32_t toBgr(const QColor& color) {
    return tk::toBgr(color);
}

QString colorName(int32_t bgr) {
    if (isSystemColor(bgr)) {
        switch (bits(bgr) & 0xFFu) {
            case kWindowBackground:
                return QCoreApplication::translate("tk::FontDialogWidget", "Window Background");
            case kWindowText:
                return QCoreApplication::translate("tk::FontDialogWidget", "Window Text");
            case kGreyText:
                return QCoreApplication::translate("tk::FontDialogWidget", "Greyed Text");
            default:
                return QCoreApplication::translate("tk::FontDialogWidget", "System Colour");
        }
    }
    for (const StandardColor& c : kStandard) {
        if (c.bgr == bgr) {
            return QCoreApplication::translate("tk::FontDialogWidget", c.name);
        }
    }
    return QCoreApplication::translate("tk::FontDialogWidget", "Custom");
}

}  // namespace tk::fontdialog
