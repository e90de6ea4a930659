#include "toolkit/FontSubstitutes.h"

#include <QFont>
#include <vector>

namespace tk {

namespace {

struct Shipped {
    const char16_t* face;
    QStringList substitutes;
};

const std::vector<Shipped>& shipped() {
    static const QStringList pgothic{QStringLiteral("IPAPGothic"),
                                     QStringLiteral("Noto Sans CJK JP")};
    static const QStringList gothic{QStringLiteral("IPAGothic"),
                                    QStringLiteral("Noto Sans Mono CJK JP")};
    static const std::vector<Shipped> faces{
        {u"ＭＳ Ｐゴシック", pgothic},
        {u"MS PGothic", pgothic},
        {u"ＭＳ ゴシック", gothic},
        {u"MS Gothic", gothic},
        {u"Times New Roman", {QStringLiteral("Liberation Serif")}},
        {u"Arial", {QStringLiteral("Liberation Sans")}},
    };
    return faces;
}

}  // namespace

void registerFontSubstitutes() {
    for (const Shipped& s : shipped()) {
        QFont::insertSubstitutions(QString::fromUtf16(s.face), s.substitutes);
    }
}

QStringList shippedFaces() {
    QStringList faces;
    for (const Shipped& s : shipped()) {
        faces << QString::fromUtf16(s.face);
    }
    return faces;
}

}  // namespace tk
