#include "system/profile/ProfileText.h"

namespace sys::profile {

namespace {

constexpr QByteArrayView kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isLineBreak(char c) {
    return c == '\r' || c == '\n';
}

QByteArrayView trimmed(QByteArrayView v) {
    qsizetype b = 0;
    qsizetype e = v.size();
    while (b < e && isBlank(v[b])) {
        ++b;
    }
    while (e > b && isBlank(v[e - 1])) {
        --e;
    }
    return v.sliced(b, e - b);
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Names written by hand may use any letter case. Only ASCII letters fold:
// every other byte must match exactly, so names in a code page the program
// cannot tell apart are never taken for one another.
bool sameName(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

QByteArrayView unquoted(QByteArrayView v) {
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        return v.sliced(1, v.size() - 2);
    }
    return v;
}

// One line of the text: its bytes without the line end, where they start, and
// where the next line starts.
struct Line {
    QByteArrayView text;
    qsizetype begin = 0;
    qsizetype next = 0;

    bool hasLineEnd() const { return next > begin + text.size(); }
};

class Lines {
public:
    explicit Lines(QByteArrayView text) : text_(text) {
        if (text_.startsWith(kUtf8Bom)) {
            pos_ = kUtf8Bom.size();
        }
    }

    bool next(Line& line) {
        if (pos_ >= text_.size()) {
            return false;
        }
        qsizetype e = pos_;
        while (e < text_.size() && !isLineBreak(text_[e])) {
            ++e;
        }
        line.begin = pos_;
        line.text = text_.sliced(pos_, e - pos_);
        if (e < text_.size()) {
            const bool crlf = text_[e] == '\r' && e + 1 < text_.size() && text_[e + 1] == '\n';
            e += crlf ? 2 : 1;
        }
        line.next = e;
        pos_ = e;
        return true;
    }

private:
    QByteArrayView text_;
    qsizetype pos_ = 0;
};

enum class Kind { Other, Section, Entry };

struct Parsed {
    Kind kind = Kind::Other;
    QByteArrayView name;       // section name or key, trimmed
    QByteArrayView value;      // trimmed, quotes still on
    qsizetype equalsAt = 0;    // offset in the line of the "="
    qsizetype valueBegin = 0;  // offset in the line of the first byte after "=" and its blanks
};

Parsed parse(QByteArrayView line) {
    Parsed p;
    const QByteArrayView t = trimmed(line);
    if (t.startsWith('[')) {
        const qsizetype close = t.indexOf(']');
        p.kind = Kind::Section;
        p.name = trimmed(close < 0 ? t.sliced(1) : t.sliced(1, close - 1));
        return p;
    }
    const qsizetype eq = line.indexOf('=');
    if (eq < 0) {
        return p;
    }
    p.kind = Kind::Entry;
    p.name = trimmed(line.first(eq));
    p.equalsAt = eq;
    qsizetype vb = eq + 1;
    while (vb < line.size() && isBlank(line[vb])) {
        ++vb;
    }
    p.valueBegin = vb;
    p.value = trimmed(line.sliced(vb));
    return p;
}

bool holdsAny(QByteArrayView v, QByteArrayView bytes) {
    for (const char c : bytes) {
        if (v.contains(c)) {
            return true;
        }
    }
    return false;
}

// Whether section, key and value would read back exactly as they are written.
bool writable(QByteArrayView section, QByteArrayView key, QByteArrayView value) {
    constexpr QByteArrayView breaks("\r\n\0", 3);
    return !section.isEmpty() && !key.isEmpty() && !holdsAny(section, breaks) &&
           !section.contains(']') && !holdsAny(key, breaks) && !key.contains('=') &&
           !key.startsWith('[') && !holdsAny(value, breaks);
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::optional<QByteArray> findValue(QByteArrayView text, QByteArrayView section,
                                    QByteArrayView key) {
    section = trimmed(section);
    key = trimmed(key);
    if (section.isEmpty() || key.isEmpty()) {
        return std::nullopt;
    }
    Lines lines(text);
    Line line;
    bool inside = false;
    while (lines.next(line)) {
        const Parsed p = parse(line.text);
        if (p.kind == Kind::Section) {
            if (inside) {
                return std::nullopt;  // later sections of the same name are not searched
            }
            inside = sameName(p.name, section);
        } else if (inside && p.kind == Kind::Entry && sameName(p.name, key)) {
            return unquoted(p.value).toByteArray();
        }
    }
    return std::nullopt;
}

std::optional<QByteArray> withValue(QByteArrayView text, QByteArrayView section, QByteArrayView key,
                                    QByteArrayView value) {
    section = trimmed(section);
    key = trimmed(key);
    if (!writable(section, key, value)) {
        return std::nullopt;
    }
    const QByteArray eol = lineEnd(text);
    QByteArray out;
    out.reserve(text.size() + section.size() + key.size() + value.size() + 8);

    Lines lines(text);
    Line line;
    bool inside = false;
    qsizetype insertAt = -1;      // after the last non-blank line of the section
    bool insertAfterEnd = false;  // that line is the last and has no line end
    while (lines.next(line)) {
        const Parsed p = parse(line.text);
        if (p.kind == Kind::Section) {
            if (inside) {
                break;
            }
            if (sameName(p.name, section)) {
                inside = true;
                insertAt = line.next;
                insertAfterEnd = !line.hasLineEnd();
            }
            continue;
        }
        if (!inside) {
            continue;
        }
        if (p.kind == Kind::Entry && sameName(p.name, key)) {
            // The file's blanks after "=" stay unless the new value brings its
            // own: what follows "=" is then exactly the new value.
            const bool ownBlanks = !value.isEmpty() && isBlank(value.front());
            const qsizetype valueAt = line.begin + (ownBlanks ? p.equalsAt + 1 : p.valueBegin);
            const qsizetype restAt = line.begin + line.text.size();
            out.append(text.first(valueAt)).append(value).append(text.sliced(restAt));
            return out;
        }
        if (!trimmed(line.text).isEmpty()) {
            insertAt = line.next;
            insertAfterEnd = !line.hasLineEnd();
        }
    }

    if (insertAt >= 0) {
        out.append(text.first(insertAt));
        if (insertAfterEnd) {
            out.append(eol);
        }
        out.append(key).append('=').append(value).append(eol).append(text.sliced(insertAt));
        return out;
    }
    out.append(text);
    const bool onlyBom = text == kUtf8Bom;
    if (!text.isEmpty() && !onlyBom && !isLineBreak(text.back())) {
        out.append(eol);
    }
    out.append('[').append(section).append(']').append(eol);
    out.append(key).append('=').append(value).append(eol);
    return out;
}

QByteArray lineEnd(QByteArrayView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            return "\n";
        }
        if (text[i] == '\r') {
            return i + 1 < text.size() && text[i + 1] == '\n' ? "\r\n" : "\r";
        }
    }
    return "\r\n";
}

qsizetype fittingLength(QByteArrayView value, qsizetype max) {
    if (value.size() <= max) {
        return value.size();
    }
    // value[n] is the first byte left out; when it continues a sequence, the
    // sequence's lead byte (at most three bytes back) is left out as well.
    qsizetype n = max;
    for (int back = 0; back < 3 && n > 0 && isContinuationByte(value[n]); ++back) {
        --n;
    }
    return isContinuationByte(value[n]) ? max : n;
}

}  // namespace sys::profile
