#include "system/QtMessageFilter.h"

#include <QString>
#include <QtGlobal>

namespace sys {

namespace {

QtMessageHandler& previousHandler() {
    static QtMessageHandler previous = nullptr;
    return previous;
}

void filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String(
                                    "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to "))) {
        return;
    }
    previousHandler()(type, context, message);
}

}  // namespace

void dropRuntimeDirWarning() {
    if (previousHandler() == nullptr) {
        previousHandler() = qInstallMessageHandler(filter);
    }
}

}  // namespace sys
