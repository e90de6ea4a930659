#include "toolkit/MousePointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace tk {

namespace {
int g_code = PointerShape::Default;
bool g_overridden = false;
std::function<void(int)> g_observer;
}  // namespace

void setMousePointer(int code) {
    g_code = code;
    if (g_observer) {
        g_observer(code);
    }
    if (qGuiApp == nullptr) {
        return;
    }
    const bool busy = code == PointerShape::Busy;
    if (busy && !g_overridden) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        g_overridden = true;
    } else if (!busy && g_overridden) {
        QGuiApplication::restoreOverrideCursor();
        g_overridden = false;
    }
}

int mousePointer() {
    return g_code;
}

void setMousePointerObserver(std::function<void(int)> observer) {
    g_observer = std::move(observer);
}

}  // namespace tk
