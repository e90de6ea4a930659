// Telling hyprpaper what each monitor shows; what each showed before a
// finish, kept and given back.

#include <algorithm>

#include "system/desktop/HyprlandBackend.h"
#include "system/desktop/WallpaperFiles.h"
#include "toolkit/Translations.h"

namespace desktop {

namespace {
const QString kHyprctl = QStringLiteral("hyprctl");
const QString kCover = QStringLiteral("cover");
const QString kFill = QStringLiteral("fill");

// Up to 0.7 the mode is a prefix of the path ("contain:", "tile:"); cover has none.
QString withPrefix(const QString& mode, const QString& png) {
    return mode == kCover ? png : mode + QLatin1Char(':') + png;
}
}  // namespace

QString HyprlandBackend::show(const QList<Active>& targets, const Shown& before) {
    const bool old = before.generation == Generation::Socket07;
    auto previous = [&before](const QString& monitor) {
        const auto it = std::find_if(before.monitors.cbegin(), before.monitors.cend(),
                                     [&](const Active& a) { return a.monitor == monitor; });
        return it == before.monitors.cend() ? QString() : it->picture;
    };
    QStringList preloaded, shownNow;
    for (const Active& target : targets) {
        shownNow << target.picture;
        if (old && !preloaded.contains(target.picture)) {
            preloaded << target.picture;
            if (QString failure =
                    run({QStringLiteral("preload"), target.picture}, before.generation);
                !failure.isEmpty()) {
                return failure;
            }
        }
    }
    QMap<QString, Active> told;
    for (const Active& target : targets) {
        QString mode = target.mode;
        // 0.7 changes only monitors still on the wildcard for an empty
        // monitor, so each is named; 0.8 takes the mode as a third field,
        // where it has no name for stretched ("fit" and "stretch" show as cover).
        if (!old && mode == kFill) {
            mode = kCover;
        }
        const QString request =
            old ? target.monitor + QLatin1Char(',') + withPrefix(mode, target.picture)
                : QStringList{target.monitor, target.picture, mode}.join(QLatin1Char(','));
        if (QString failure = run({QStringLiteral("wallpaper"), request}, before.generation);
            !failure.isEmpty()) {
            return failure;
        }
        told.insert(target.monitor, Active{target.monitor, target.picture, mode});
    }

    if (old) {
        // Free the copies shown before; the user's own pictures stay loaded.
        for (const Active& target : targets) {
            const QString was = previous(target.monitor);
            if (isShownCopy(was) && !shownNow.contains(was)) {
                run({QStringLiteral("unload"), was}, before.generation);
            }
        }
    }
    if (before.generation != Generation::Wire08) {
        QString failure;
        const std::optional<Shown> after = shown(&failure);
        if (!after) {
            return failure;
        }
        for (const Active& target : targets) {
            if (isWildcard(target.monitor) && before.generation == Generation::Wire084) {
                continue;  // listed under the monitors' own names
            }
            const auto now =
                std::find_if(after->monitors.cbegin(), after->monitors.cend(),
                             [&](const Active& a) { return a.monitor == target.monitor; });
            if (now == after->monitors.cend() || !samePicture(now->picture, target.picture)) {
                return tk::Text::tr("hyprpaper did not take the new wallpaper (it shows \"%1\")")
                    .arg(now == after->monitors.cend() ? QString() : now->picture);
            }
        }
    }
    // 0.8.0-0.8.3 have nothing to read back: their "success" comes after
    // they checked the path and the monitor and took the wallpaper.
    for (auto it = told.cbegin(); it != told.cend(); ++it) {
        told_.insert(it.key(), it.value());
    }
    return {};
}

// Each monitor's picture and mode, by the monitor's name. A monitor showing
// nothing has no picture to give back and is left out.
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
            result.leftAlone << tk::Text::tr("hyprpaper %1 (%2)")
                                    .arg(now->monitor,
                                         unknown ? tk::Text::tr("hyprpaper does not tell")
                                         : now->picture.isEmpty() ? tk::Text::tr("no picture")
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
                return failed(tk::Text::tr("hyprpaper cannot be given a path with a comma (\"%1\")")
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
