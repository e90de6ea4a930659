#include "toolkit/Screen.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include "toolkit/Units.h"

namespace tk::Screen {

namespace {
QSize screenPixels() {
    if (qGuiApp != nullptr) {
        if (const QScreen* s = QGuiApplication::primaryScreen()) {
            return s->geometry().size();
        }
    }
    return {1024, 768};
}
}  // namespace

double Width() {
    return pixelsToTwipsX(screenPixels().width());
}
double Height() {
    return pixelsToTwipsY(screenPixels().height());
}
double TwipsPerPixelX() {
    return 1440.0 / dpiX();
}
double TwipsPerPixelY() {
    return 1440.0 / dpiY();
}

}  // namespace tk::Screen

namespace tk::App {

QString Path() {
    return QCoreApplication::applicationDirPath();
}

}  // namespace tk::App
