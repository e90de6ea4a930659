#include "toolkit/Colors.h"

#include <QGuiApplication>

namespace tk {

QColor fromBgr(int32_t bgr) {
    const auto v = static_cast<uint32_t>(bgr);
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

int32_t toBgr(const QColor& c) {
    const QColor rgb = c.toRgb();
    return static_cast<int32_t>(static_cast<uint32_t>(rgb.red()) |
                                (static_cast<uint32_t>(rgb.green()) << 8) |
                                (static_cast<uint32_t>(rgb.blue()) << 16));
}

QColor resolveColor(int32_t value, const QPalette& palette) {
    if (!isSystemColor(value)) {
        return fromBgr(value);
    }
    switch (static_cast<uint32_t>(value) & 0xFFu) {
        case 0x05:
            return palette.color(QPalette::Active, QPalette::Base);
        case 0x08:
            return palette.color(QPalette::Active, QPalette::Text);
        case 0x11:
            return palette.color(QPalette::Disabled, QPalette::Text);
        default:
            return palette.color(QPalette::Active, QPalette::Text);
    }
}

QColor resolveColor(int32_t value) {
    return resolveColor(value, qGuiApp != nullptr ? QGuiApplication::palette() : QPalette());
}

}  // namespace tk
