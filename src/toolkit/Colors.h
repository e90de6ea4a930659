#pragma once
// The program's colour values: 0x00BBGGRR, or with the top bit set
// (0x800000nn) the system colour nn, resolved only when drawing.

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace tk {

// Colours that name a colour of the system palette rather than a value.
struct SystemColors {
    static constexpr int32_t WindowBackground = static_cast<int32_t>(0x80000005u);
    static constexpr int32_t WindowText = static_cast<int32_t>(0x80000008u);
    static constexpr int32_t GrayText = static_cast<int32_t>(0x80000011u);
};

constexpr bool isSystemColor(int32_t c) {
    return c < 0;
}

// A plain colour from 0x00BBGGRR.
QColor fromBgr(int32_t bgr);
// 0x00BBGGRR of an RGB colour.
int32_t toBgr(const QColor& c);

// What a colour value draws as, system colours taken from the palette
// (window background -> Base, window text -> Text, greyed text -> disabled
// Text, any other system colour -> Text).
QColor resolveColor(int32_t value, const QPalette& palette);
QColor resolveColor(int32_t value);  // with the application's palette

}  // namespace tk
