#include "toolkit/MousePointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace tk {

namespace {

// The one screen-wide pointer of this process: the shape last asked for,
// whether the busy shape is pushed on the application, and the tests' watcher.
struct ScreenPointer {
    int code = PointerShape::Default;
    bool overridden = false;
    std::function<void(int)> observer;
};

ScreenPointer& screenPointer() {
    static ScreenPointer pointer;
    return pointer;
}

}  // namespace

void setMousePointer(int code) {
    ScreenPointer& pointer = screenPointer();
    pointer.code = code;
    if (pointer.observer) {
        pointer.observer(code);
    }
    if (qGuiApp == nullptr) {
        return;
    }
    const bool busy = code == PointerShape::Busy;
    if (busy && !pointer.overridden) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        pointer.overridden = true;
    } else if (!busy && pointer.overridden) {
        QGuiApplication::restoreOverrideCursor();
        pointer.overridden = false;
    }
}

int mousePointer() {
    return screenPointer().code;
}

void setMousePointerObserver(std::function<void(int)> observer) {
    screenPointer().observer = std::move(observer);
}

}  // namespace tk
