#include "system/PrintableText.h"

namespace sys {

QString printable(const QString& text) {
    QString line;
    line.reserve(text.size());
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == u'\n') {
            line += QLatin1String("\\n");
        } else if (u == u'\r') {
            line += QLatin1String("\\r");
        } else if (u == u'\t') {
            line += QLatin1String("\\t");
        } else if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0)) {
            line += QStringLiteral("\\x%1").arg(static_cast<unsigned>(u), 2, 16, QLatin1Char('0'));
        } else if (u == 0x2028 || u == 0x2029) {
            line += QStringLiteral("\\u%1").arg(static_cast<unsigned>(u), 4, 16);
        } else {
            line += ch;
        }
    }
    return line;
}

bool hasLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

}  // namespace sys
