#include "cli/UnitText.h"

#include <QRegularExpression>

namespace cli {

std::optional<QString> systemdExecPath(const QString& path) {
    for (const QChar c : path) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) {
            return std::nullopt;
        }
    }
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9/._+-]+$"));
    if (plain.match(path).hasMatch()) {
        return path;
    }
    QString text = path;
    text.replace(QLatin1Char('%'), QStringLiteral("%%"));
    if (!path.contains(QLatin1Char('\'')) && !path.contains(QLatin1Char('"')) &&
        !path.contains(QLatin1Char('\\'))) {
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
    text.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    text.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    text.replace(QLatin1Char('$'), QStringLiteral("$$"));
    return QStringLiteral("/usr/bin/env \"") + text + QLatin1Char('"');
}

}  // namespace cli
