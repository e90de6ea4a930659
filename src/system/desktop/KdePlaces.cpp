// What each Plasma desktop showed before a finish, kept and given back.

#include <algorithm>

#include "system/desktop/KdeBackend.h"
#include "system/desktop/SessionBus.h"
#include "system/desktop/WallpaperFiles.h"
#include "toolkit/Translations.h"

namespace desktop {

// Each desktop's plugin, Image as stored (with the variant Plasma 6.5 marks on
// it) and fill mode, by the containment's id.
DesktopBackend::PlacesResult KdeBackend::restorePlaces(const PlacesRestore& request) {
    PlacesResult result;
    const SessionBus bus(context_.env, context_.toolTimeoutMs);
    if (!bus.connected()) {
        result.applied = {false, bus.error()};
        return result;
    }
    QString failure;
    const std::optional<Shell> before = askPlasma(bus, &failure);
    if (!before) {
        result.applied = {false, failure};
        return result;
    }
    QJsonObject wanted;
    QList<Desktop> targets;
    for (const SavedPlace& place : parseSavedPlaces(request.saved)) {
        Desktop saved{place.place.toLongLong(), -1, place.plugin, place.picture, place.mode};
        const auto now = std::find_if(before->desktops.cbegin(), before->desktops.cend(),
                                      [&](const Desktop& d) { return d.id == saved.id; });
        if (now == before->desktops.cend() ||
            (now->plugin == saved.plugin && (!saved.showsPicture() || now->image == saved.image))) {
            continue;  // gone with its screen or activity, or showing its own still
        }
        const QString shownNow = pictureOf(*now);
        if (!request.force && !request.ours(shownNow)) {
            result.leftAlone << tk::Text::tr("Plasma desktop %1 (%2)")
                                    .arg(QString::number(saved.id),
                                         shownNow.isEmpty() ? now->plugin : shownNow);
            continue;
        }
        if (!request.gone.isEmpty() && saved.showsPicture() && pictureOf(saved) == request.gone) {
            saved.image = fileUriOf(request.replacement);
        }
        QJsonObject w{{QStringLiteral("plugin"), saved.plugin},
                      {QStringLiteral("fillMode"), saved.fillMode}};
        if (saved.showsPicture()) {
            w.insert(QStringLiteral("image"), saved.image);
        }
        wanted.insert(QString::number(saved.id), w);
        targets << saved;
    }
    if (!targets.isEmpty()) {
        failure = write(bus, wanted);
        if (!failure.isEmpty()) {
            result.applied = {false, tk::Text::tr("plasmashell refused: ") + failure};
            return result;
        }
        const std::optional<Shell> after = askPlasma(bus, &failure);
        if (!after) {
            result.applied = {false, failure};
            return result;
        }
        for (const Desktop& target : targets) {
            const auto now = std::find_if(after->desktops.cbegin(), after->desktops.cend(),
                                          [&](const Desktop& d) { return d.id == target.id; });
            if (now == after->desktops.cend() || now->plugin != target.plugin ||
                pictureOf(*now) != pictureOf(target)) {
                result.applied = {false,
                                  tk::Text::tr("Plasma desktop %1 did not take back what it showed")
                                      .arg(target.id)};
                return result;
            }
        }
    }
    result.restored = static_cast<int>(targets.size());
    result.applied = {true, {}};
    return result;
}

}  // namespace desktop
