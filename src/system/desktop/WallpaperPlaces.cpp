#include "system/desktop/WallpaperPlaces.h"

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

}  // namespace desktop
