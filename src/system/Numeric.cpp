#include "system/Numeric.h"

#include <cmath>

namespace sys {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

}  // namespace

std::optional<double> numericValue(const QString& text, const QLocale& locale) {
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && isBlank(text[b])) {
        ++b;
    }
    while (e > b && isBlank(text[e - 1])) {
        --e;
    }
    if (b == e) {
        return std::nullopt;
    }
    const QString decimal = locale.decimalPoint();
    const QString group = locale.groupSeparator();

    // Rebuild the text in the C locale's spelling while checking its shape:
    // [sign] digits/grouping [decimal digits] [e|E [sign] digits]
    QString c;
    c.reserve(e - b);
    qsizetype i = b;
    if (text[i] == u'+' || text[i] == u'-') {
        c += text[i++];
    }
    int mantissaDigits = 0;
    bool seenDecimal = false;
    while (i < e) {
        const QChar ch = text[i];
        if (ch.isDigit() && ch.unicode() < 128) {
            c += ch;
            ++mantissaDigits;
            ++i;
        } else if (!seenDecimal && !decimal.isEmpty() && text.mid(i, decimal.size()) == decimal) {
            c += u'.';
            seenDecimal = true;
            i += decimal.size();
        } else if (!seenDecimal && !group.isEmpty() && mantissaDigits > 0 &&
                   text.mid(i, group.size()) == group) {
            i += group.size();  // grouping separators between digits are skipped
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    if (i < e && (text[i] == u'e' || text[i] == u'E')) {
        c += u'e';
        ++i;
        if (i < e && (text[i] == u'+' || text[i] == u'-')) {
            c += text[i++];
        }
        int expDigits = 0;
        while (i < e && text[i].isDigit() && text[i].unicode() < 128) {
            c += text[i++];
            ++expDigits;
        }
        if (expDigits == 0) {
            return std::nullopt;
        }
    }
    if (i != e) {
        return std::nullopt;
    }
    bool ok = false;
    const double v = c.toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

}  // namespace sys
