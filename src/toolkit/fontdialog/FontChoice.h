#pragma once
// What the font dialog shows and returns, and which of its parts it offers.

#include <QString>

#include <cstdint>

namespace tk {

// A font with its colour, as the dialog shows and returns it.
struct FontChoice {
    QString face;
    float size = 0.0F;  // points; 0 shows no size
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    int32_t color = 0;  // 0x00BBGGRR, or a system colour 0x800000nn (see DialogColors.h)
};

// Which installed faces the dialog lists.
struct FontFilter {
    bool latinOnly = false;     // only faces covering the Latin script
    bool scalableOnly = false;  // only outline faces that scale smoothly
};

struct FontOptions {
    FontFilter faces;
    // Whether strikethrough, underline and the colour are shown and returned.
    bool showEffects = false;
};

}  // namespace tk
