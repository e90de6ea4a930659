#include "system/profile/ProfileEncoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace sys::profile {

namespace {

// ICU's names; "windows-31j" is CP932, Shift_JIS with the Windows additions.
constexpr const char* kCp932 = "windows-31j";
constexpr const char* kWindows1252 = "windows-1252";

bool decodesCleanly(QStringDecoder&& decoder, QByteArrayView bytes) {
    if (!decoder.isValid()) {
        return false;
    }
    const QString text = decoder.decode(bytes);  // decodes only when it becomes a QString
    return !decoder.hasError();
}

}  // namespace

Encoding valueEncoding(QByteArrayView bytes) {
    if (decodesCleanly(QStringDecoder(QStringDecoder::Utf8), bytes)) {
        return Encoding::Utf8;
    }
    if (decodesCleanly(QStringDecoder(kCp932), bytes)) {
        return Encoding::Cp932;
    }
    return Encoding::Windows1252;
}

QString decodeValue(QByteArrayView bytes) {
    switch (valueEncoding(bytes)) {
        case Encoding::Utf8:
            return QString::fromUtf8(bytes);
        case Encoding::Cp932:
            return QStringDecoder(kCp932).decode(bytes);
        case Encoding::Windows1252:
            break;
    }
    QStringDecoder windows(kWindows1252);
    return windows.isValid() ? QString(windows.decode(bytes)) : QString::fromLatin1(bytes);
}

Encoding fileEncoding(QByteArrayView text) {
    return valueEncoding(text);
}

QByteArray encodeValue(const QString& value, Encoding encoding) {
    if (encoding != Encoding::Utf8) {
        QStringEncoder encoder(encoding == Encoding::Cp932 ? kCp932 : kWindows1252);
        if (encoder.isValid()) {
            QByteArray bytes = encoder.encode(value);
            if (!encoder.hasError()) {
                return bytes;
            }
        }
    }
    return value.toUtf8();
}

}  // namespace sys::profile
