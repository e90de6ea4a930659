#include "system/desktop/DesktopText.h"

#include <cctype>

namespace desktop {

namespace {
// What the escape \<letter> stands for when `letter` is one of `known`,
// a choice of the C escape letters a b f n r t v; nullopt otherwise.
std::optional<QChar> controlEscape(QChar letter, QLatin1String known = QLatin1String("abfnrtv")) {
    static const QString letters = QStringLiteral("abfnrtv");
    static const char controls[] = "\a\b\f\n\r\t\v";
    const qsizetype i = letters.indexOf(letter);
    if (i < 0 || !known.contains(letter)) {
        return std::nullopt;
    }
    return QLatin1Char(controls[i]);
}
}  // namespace

QString gvariantString(const QString& text) {
    QString out = QStringLiteral("'");
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('\'')) {
            out += QLatin1Char('\\');
        }
        out += c;
    }
    return out + QLatin1Char('\'');
}

std::optional<QString> parseGVariantString(const QString& text) {
    const QString t = text.trimmed();
    if (t.size() < 2) {
        return std::nullopt;
    }
    const QChar quote = t.front();
    if ((quote != QLatin1Char('\'') && quote != QLatin1Char('"')) || t.back() != quote) {
        return std::nullopt;
    }
    QString out;
    for (qsizetype i = 1; i + 1 < t.size(); ++i) {
        QChar c = t.at(i);
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i + 1 >= t.size()) {
            return std::nullopt;
        }
        c = t.at(i);
        if (const std::optional<QChar> control = controlEscape(c)) {
            out += *control;
        } else if (c == QLatin1Char('u') || c == QLatin1Char('U')) {
            const int digits = c == QLatin1Char('u') ? 4 : 8;
            bool ok = false;
            const uint code = t.mid(i + 1, digits).toUInt(&ok, 16);
            if (!ok || i + digits + 1 >= t.size()) {
                return std::nullopt;
            }
            const char32_t ch = code;
            out += QString::fromUcs4(&ch, 1);
            i += digits;
        } else {
            out += c;  // \\ \' \" and the rest stand for themselves
        }
    }
    return out;
}

std::optional<QStringList> splitShellWords(const QString& line) {
    QStringList words;
    QString word;
    bool inWord = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('\'')) {
            const qsizetype end = line.indexOf(QLatin1Char('\''), i + 1);
            if (end < 0) {
                return std::nullopt;
            }
            word += line.mid(i + 1, end - i - 1);
            inWord = true;
            i = end;
        } else if (c == QLatin1Char('"')) {
            inWord = true;
            for (++i;; ++i) {
                if (i >= line.size()) {
                    return std::nullopt;
                }
                const QChar d = line.at(i);
                if (d == QLatin1Char('"')) {
                    break;
                }
                if (d == QLatin1Char('\\') && i + 1 < line.size() &&
                    QStringLiteral("\"\\$`").contains(line.at(i + 1))) {
                    word += line.at(++i);
                } else {
                    word += d;
                }
            }
        } else if (c == QLatin1Char('\\')) {
            if (i + 1 < line.size()) {
                word += line.at(++i);
            }
            inWord = true;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (inWord) {
                words << word;
                word.clear();
                inWord = false;
            }
        } else if (c == QLatin1Char('#') && !inWord) {
            break;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words << word;
    }
    return words;
}

QString jsString(const QString& text) {
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
            case '"':
                out += QStringLiteral("\\\"");
                break;
            case '\\':
                out += QStringLiteral("\\\\");
                break;
            case '\n':
                out += QStringLiteral("\\n");
                break;
            case '\r':
                out += QStringLiteral("\\r");
                break;
            case '\t':
                out += QStringLiteral("\\t");
                break;
            default:
                if (c.unicode() < 0x20 || c.unicode() == 0x2028 || c.unicode() == 0x2029) {
                    out += QStringLiteral("\\u%1").arg(static_cast<unsigned>(c.unicode()), 4, 16,
                                                       QLatin1Char('0'));
                } else {
                    out += c;
                }
        }
    }
    return out + QLatin1Char('"');
}

QString swayQuotedPath(const QString& path) {
    QString out = QStringLiteral("\"");
    for (const QChar c : path) {
        const bool plain =
            c.unicode() > 0x7f || c.isLetterOrNumber() || QStringLiteral("/._-+,:@").contains(c);
        if (!plain) {
            out += QLatin1Char('\\');
        }
        out += c;
    }
    return out + QLatin1Char('"');
}

namespace {
QString unescapeKeyFileValue(const QString& value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 >= value.size()) {
            out += c;
            continue;
        }
        const QChar e = value.at(++i);
        if (e == QLatin1Char('s')) {
            out += QLatin1Char(' ');
        } else {
            out += controlEscape(e, QLatin1String("ntr")).value_or(e);
        }
    }
    return out;
}
QString unescapeQtIniValue(const QString& value) {
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('"')) {
            quoted = !quoted;
            continue;
        }
        if (c == QLatin1Char(';') && !quoted) {
            break;
        }
        if (c != QLatin1Char('\\') || i + 1 >= value.size()) {
            out += c;
            continue;
        }
        const QChar e = value.at(++i);
        if (e == QLatin1Char('x')) {
            char32_t code = 0;
            while (i + 1 < value.size() && isxdigit(value.at(i + 1).toLatin1())) {
                code = code * 16 +
                       static_cast<char32_t>(QStringView(value).mid(++i, 1).toUInt(nullptr, 16));
            }
            out += QString::fromUcs4(&code, 1);
            continue;
        }
        if (e >= QLatin1Char('0') && e <= QLatin1Char('7')) {
            char32_t code = static_cast<char32_t>(e.unicode() - '0');
            while (i + 1 < value.size() && value.at(i + 1) >= QLatin1Char('0') &&
                   value.at(i + 1) <= QLatin1Char('7')) {
                code = code * 8 + static_cast<char32_t>(value.at(++i).unicode() - '0');
            }
            out += QString::fromUcs4(&code, 1);
            continue;
        }
        out += controlEscape(e).value_or(e);
    }
    return out;
}
}  // namespace

std::optional<QString> keyFileValue(const QList<KeyFileGroup>& groups, const QString& group,
                                    const QString& key) {
    for (const KeyFileGroup& g : groups) {
        if (g.first == group) {
            if (g.second.contains(key)) {
                return g.second.value(key);
            }
            return std::nullopt;
        }
    }
    return std::nullopt;
}

QList<KeyFileGroup> parseKeyFile(const QString& text, KeyFileDialect dialect) {
    QList<KeyFileGroup> groups;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& written : lines) {
        const QString line = written.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) ||
            line.startsWith(QLatin1Char(';'))) {
            continue;
        }
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            groups.append({line.mid(1, line.size() - 2), {}});
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0 || groups.isEmpty()) {
            continue;
        }
        const QString raw = line.mid(eq + 1).trimmed();
        QString value;
        switch (dialect) {
            case KeyFileDialect::GLib:
                value = unescapeKeyFileValue(raw);
                break;
            case KeyFileDialect::Qt:
                value = unescapeQtIniValue(raw);
                break;
            case KeyFileDialect::Raw:  // every byte after the "=" belongs to the value
                value = written.mid(written.indexOf(QLatin1Char('=')) + 1);
                if (value.endsWith(QLatin1Char('\r'))) {
                    value.chop(1);
                }
                break;
        }
        groups.last().second.insert(line.left(eq).trimmed(), value);
    }
    return groups;
}

QList<KeyFileGroup> readKeyFile(const QString& path, KeyFileDialect dialect) {
    const files::FileBytes read = files::readRegularFile(path, kMaxConfigBytes);
    return read.ok() ? parseKeyFile(QString::fromUtf8(read.bytes), dialect) : QList<KeyFileGroup>();
}

bool isTileMode(const QString& mode, const ModeNames& names) {
    return mode == names.tile || names.tileLike.contains(mode);
}

QString chooseMode(bool tiled, const QString& current, const ModeNames& names) {
    if (tiled) {
        return names.tile;
    }
    if (current.isEmpty() || isTileMode(current, names) || names.hiding.contains(current)) {
        return names.centre;
    }
    return current;
}

}  // namespace desktop
