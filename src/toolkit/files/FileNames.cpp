#include "toolkit/files/FileNames.h"

#include <QStringDecoder>
#include <algorithm>

#include "toolkit/Translations.h"

namespace files {

std::optional<QString> decodeName(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        return std::nullopt;
    }
    return text;
}

QString shownBytes(const QByteArray& bytes) {
    QString out;
    qsizetype i = 0;
    while (i < bytes.size()) {
        // The one character from here: a UTF-8 sequence is one to four bytes.
        qsizetype length = 0;
        for (qsizetype n = 1; n <= std::min<qsizetype>(4, bytes.size() - i); ++n) {
            if (decodeName(bytes.mid(i, n))) {
                length = n;
                break;
            }
        }
        const uchar byte = uchar(bytes[i]);
        if (length == 1 && (byte < 0x20 || byte == 0x7f)) {
            length = 0;  // a control character stays visible and the line one line
        }
        if (length > 0) {
            out += QString::fromUtf8(bytes.mid(i, length));
            i += length;
        } else {
            out += QStringLiteral("\\x%1").arg(byte, 2, 16, QLatin1Char('0'));
            ++i;
        }
    }
    return out;
}

QString notUtf8(const QByteArray& bytes) {
    return tk::Text::tr("the name \"%1\" is not valid UTF-8").arg(shownBytes(bytes));
}

}  // namespace files
