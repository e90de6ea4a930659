#include "toolkit/fontdialog/DialogColors.h"

#include "toolkit/Colors.h"

#include <array>

namespace tk::fontdialog {

namespace {
constexpr std::array<StandardColor, 16> kStandard{{
    {"Black", 0x000000},
    {"Maroon", 0x000080},
    {"Green", 0x008000},
    {"Olive", 0x008080},
    {"Navy", 0x800000},
    {"Purple", 0x800080},
    {"Teal", 0x808000},
    {"Grey", 0x808080},
    {"Silver", 0xC0C0C0},
    {"Red", 0x0000FF},
    {"Lime", 0x00FF00},
    {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},
    {"Fuchsia", 0xFF00FF},
    {"Aqua", 0xFFFF00},
    {"White", 0xFFFFFF},
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
                return QStringLiteral("Window Background");
            case kWindowText:
                return QStringLiteral("Window Text");
            case kGreyText:
                return QStringLiteral("Greyed Text");
            default:
                return QStringLiteral("System Colour");
        }
    }
    for (const StandardColor& c : kStandard) {
        if (c.bgr == bgr) {
            return QString::fromLatin1(c.name);
        }
    }
    return QStringLiteral("Custom");
}

}  // namespace tk::fontdialog
