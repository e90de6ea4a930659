#include "toolkit/BusyPointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace tk {

BusyPointer::BusyPointer() : shown_(qGuiApp != nullptr) {
    if (shown_) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
}

BusyPointer::~BusyPointer() {
    if (shown_ && qGuiApp != nullptr) {
        QGuiApplication::restoreOverrideCursor();
    }
}

}  // namespace tk
