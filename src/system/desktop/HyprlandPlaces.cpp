// What each monitor showed before a finish, kept and given back.

#include <algorithm>

#include "system/desktop/HyprlandBackend.h"
#include "system/desktop/WallpaperFiles.h"

namespace desktop {

namespace {
const QString kHyprctl = QStringLiteral("hyprctl");
const QString kCover = QStringLiteral("cover");
}  // namespace

// Each monitor's picture and mode, by the monitor's name. A monitor showing
// nothing has no picture to give back and is left out.
QString HyprlandBackend::savePlaces() {
    QString failure;
    const std::optional<Shown> s = shown(&failure);
    if (!s) {
        return {};
    }
    QList<SavedPlace> places;
    for (const Active& a : s->monitors) {
        if (!a.monitor.isEmpty() && !a.picture.isEmpty()) {
            places.append({a.monitor, a.picture, a.mode, {}});
        }
    }
    return savedPlacesText(places);
}

DesktopBackend::PlacesResult HyprlandBackend::restorePlaces(const PlacesRestore& request) {
    PlacesResult result;
    auto failed = [&result](const QString& why) {
        result.applied = {false, why};
        return result;
    };
    if (!tools_.available(kHyprctl)) {
        return failed(missingToolMessage(kHyprctl));
    }
    QString failure;
    const std::optional<Shown> before = shown(&failure);
    if (!before) {
        return failed(failure);
    }
    QList<Active> targets;
    for (const SavedPlace& place : parseSavedPlaces(request.saved)) {
        const auto now = std::find_if(before->monitors.cbegin(), before->monitors.cend(),
                                      [&](const Active& a) { return a.monitor == place.place; });
        if (now == before->monitors.cend()) {
            continue;  // unplugged
        }
        // hyprpaper 0.8.0-0.8.3 do not tell what they show; only what this
        // program told them is known.
        const bool unknown =
            before->generation == Generation::Wire08 && !told_.contains(now->monitor);
        if (!unknown && samePicture(now->picture, place.picture)) {
            continue;  // showing its own picture still
        }
        if (!request.force && (unknown || !request.ours(now->picture))) {
            result.leftAlone << QStringLiteral("hyprpaper %1 (%2)")
                                    .arg(now->monitor,
                                         unknown ? QStringLiteral("hyprpaper does not tell")
                                         : now->picture.isEmpty() ? QStringLiteral("no picture")
                                                                  : now->picture);
            continue;
        }
        QString picture = place.picture;
        if (!request.gone.isEmpty() && picture == request.gone) {
            picture = request.replacement;
        }
        // hyprpaper gets a copy of a picture it never showed (our kept one)
        // or of one whose path hyprctl would split at a comma.
        if (picture != place.picture || picture.contains(QLatin1Char(','))) {
            QString error;
            picture = makeShownCopy(picture, now->picture, CopyFormat::Png, &error,
                                    context_.env.ownDataDir());
            if (picture.isEmpty()) {
                return failed(error);
            }
            if (picture.contains(QLatin1Char(','))) {
                return failed(
                    QStringLiteral("hyprpaper cannot be given a path with a comma (\"%1\")")
                        .arg(picture));
            }
        }
        targets << Active{now->monitor, picture, place.mode.isEmpty() ? kCover : place.mode};
    }
    if (!targets.isEmpty()) {
        failure = show(targets, *before);
        if (!failure.isEmpty()) {
            return failed(failure);
        }
    }
    result.restored = static_cast<int>(targets.size());
    result.applied = {true, {}};
    return result;
}

}  // namespace desktop
