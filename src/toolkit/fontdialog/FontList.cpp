#include "toolkit/fontdialog/FontList.h"

#include "toolkit/FontSubstitutes.h"

#include <QFont>
#include <QFontDatabase>
#include <QRegularExpression>

namespace tk::fontdialog {

namespace {

// Qt's names for fontconfig's generic families: they stand for whatever
// fontconfig picks, not for a face of their own.
bool isGenericAlias(const QString& family) {
    return family == u"Serif" || family == u"Sans Serif" || family == u"Monospace";
}

// One family from several foundries comes as "Name [Foundry]" once for each;
// the user picks the family, fontconfig the font.
QString withoutFoundry(const QString& family) {
    static const QRegularExpression tag(QStringLiteral("\\s*\\[[^\\[\\]]*\\]$"));
    QString name = family;
    name.remove(tag);
    return name.isEmpty() ? family : name;
}

}  // namespace

QStringList listFontFaces(const FontFilter& filter) {
    QStringList faces;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family) || isGenericAlias(family)) {
            continue;
        }
        if (filter.latinOnly &&
            !QFontDatabase::writingSystems(family).contains(QFontDatabase::Latin)) {
            continue;
        }
        if (filter.scalableOnly && !QFontDatabase::isSmoothlyScalable(family)) {
            continue;
        }
        faces << withoutFoundry(family);
    }
    // A shipped face counts as present when a font drawn for it is listed.
    for (const QString& face : shippedFaces()) {
        for (const QString& substitute : QFont::substitutes(face)) {
            if (faces.contains(substitute, Qt::CaseInsensitive)) {
                faces << face;
                break;
            }
        }
    }
    faces.removeDuplicates();
    faces.sort(Qt::CaseInsensitive);
    return faces;
}

QStringList listFontSizes(const QString& face) {
    static const QList<int> kStandard{8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
    QList<int> sizes = kStandard;
    if (QFontDatabase::families().contains(face) && !QFontDatabase::isSmoothlyScalable(face)) {
        const QList<int> own = QFontDatabase::pointSizes(face);
        if (!own.isEmpty()) {
            sizes = own;
        }
    }
    QStringList out;
    for (int s : sizes) {
        out << QString::number(s);
    }
    return out;
}

}  // namespace tk::fontdialog
