#include "toolkit/Units.h"

#include <QGuiApplication>
#include <QScreen>

namespace tk {

namespace {

// The dots per inch pinned by overrideDpi(), 0 while the screen's are used.
double pinnedDpi = 0;

double screenDpi(bool horizontal) {
    if (pinnedDpi > 0) {
        return pinnedDpi;
    }
    if (qGuiApp != nullptr) {
        if (const QScreen* s = QGuiApplication::primaryScreen()) {
            return horizontal ? s->logicalDotsPerInchX() : s->logicalDotsPerInchY();
        }
    }
    return 96.0;
}

double unitsPerInch(int scaleMode) {
    switch (scaleMode) {
        case Unit::Points:
            return 72.0;
        case Unit::Millimeters:
            return 25.4;
        case Unit::Twips:
        default:
            return 1440.0;
    }
}
}  // namespace

double dpiX() {
    return screenDpi(true);
}
double dpiY() {
    return screenDpi(false);
}
void overrideDpi(double dpi) {
    pinnedDpi = dpi;
}

double pixelsPerUnitX(int scaleMode) {
    return dpiX() / unitsPerInch(scaleMode);
}
double pixelsPerUnitY(int scaleMode) {
    return dpiY() / unitsPerInch(scaleMode);
}

double twipsToPixelsX(double twips) {
    return twips * dpiX() / 1440.0;
}
double twipsToPixelsY(double twips) {
    return twips * dpiY() / 1440.0;
}
double pixelsToTwipsX(double px) {
    return px * 1440.0 / dpiX();
}
double pixelsToTwipsY(double px) {
    return px * 1440.0 / dpiY();
}

double pixelsToHimetricX(double px) {
    return px * 2540.0 / dpiX();
}
double pixelsToHimetricY(double px) {
    return px * 2540.0 / dpiY();
}

}  // namespace tk
