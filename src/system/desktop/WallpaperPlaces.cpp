#include "system/desktop/WallpaperPlaces.h"

#include <QStringList>
#include <QUrl>

#include "system/desktop/WallpaperFiles.h"

namespace desktop {

void StartedPicture::remember(const QString& picture) {
    started_ = originalOfShownCopy(picture);
}

QList<qsizetype> StartedPicture::placesToChange(const QList<QString>& shown) const {
    QList<qsizetype> places;
    if (shown.isEmpty()) {
        return places;
    }
    const QString started = started_ ? *started_ : originalOfShownCopy(shown.first());
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (originalOfShownCopy(shown.at(i)) == started) {
            places.append(i);
        }
    }
    if (places.isEmpty()) {
        places.append(0);
    }
    return places;
}

namespace {
QString encoded(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text));
}
QString decoded(const QString& text) {
    return QUrl::fromPercentEncoding(text.toLatin1());
}
}  // namespace

QString savedPlacesText(const QList<SavedPlace>& places) {
    QStringList parts;
    for (const SavedPlace& p : places) {
        QString part = encoded(p.place) + QLatin1Char('=') + encoded(p.picture) + QLatin1Char(',') +
                       encoded(p.mode);
        if (!p.plugin.isEmpty()) {
            part += QLatin1Char(',') + encoded(p.plugin);
        }
        parts << part;
    }
    return parts.join(QLatin1Char(';'));
}

QList<SavedPlace> parseSavedPlaces(const QString& text) {
    QList<SavedPlace> places;
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString value = part.section(QLatin1Char('='), 1);
        places.append({decoded(part.section(QLatin1Char('='), 0, 0)),
                       decoded(value.section(QLatin1Char(','), 0, 0)),
                       decoded(value.section(QLatin1Char(','), 1, 1)),
                       decoded(value.section(QLatin1Char(','), 2, 2))});
    }
    return places;
}

}  // namespace desktop
