#pragma once
// Colours as the font dialog stores them: 32-bit values in 0x00BBGGRR order,
// where a value with the top bit set (0x800000nn) names the system colour nn
// and is resolved against the palette only for showing it.

#include <QColor>
#include <QPalette>
#include <QString>

#include <cstdint>
#include <span>

namespace tk::fontdialog {

struct StandardColor {
    const char* name;
    int32_t bgr;
};

// The sixteen colours the dialog offers, in the order it lists them.
std::span<const StandardColor> standardColors();

bool isSystemColor(int32_t bgr);

// The colour to show for a stored value. System colours 0x80000005 (window
// background), 0x80000008 (window text) and 0x80000011 (greyed text) become the
// palette's Base, Text and disabled Text; any other system colour shows as Text.
QColor toQColor(int32_t bgr, const QPalette& palette);
QColor toQColor(int32_t bgr);

// The stored value of a colour picked on screen (alpha is dropped).
int32_t toBgr(const QColor& color);

// A name for the dialog's colour list: the standard colour's name, a system
// colour's role, or "Custom".
QString colorName(int32_t bgr);

}  // namespace tk::fontdialog
