#include "system/QtMessageFilter.h"

#include <QRegularExpression>
#include <QString>
#include <QtGlobal>

namespace sys {

namespace {

QtMessageHandler& previousHandler() {
    static QtMessageHandler previous = nullptr;
    return previous;
}

// Image format plugins that complain while Qt asks each in turn whether it
// can read a file ("TGAHandler::canRead() error while reading the header"):
// the program says itself, once, when a picture cannot be read.
bool isFormatProbeNoise(const QString& message) {
    static const QRegularExpression probe(QStringLiteral("^\\w+Handler::canRead\\(\\)"));
    return probe.match(message).hasMatch();
}

void filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String(
                                    "QStandardPaths: XDG_RUNTIME_DIR not set, defaulting to "))) {
        return;
    }
    if ((type == QtWarningMsg || type == QtDebugMsg) && isFormatProbeNoise(message)) {
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
