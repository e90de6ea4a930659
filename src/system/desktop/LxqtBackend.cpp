#include "system/desktop/LxqtBackend.h"

#include "system/desktop/DesktopText.h"
#include "system/desktop/WallpaperFiles.h"

namespace desktop {

namespace {
const QString kTool = QStringLiteral("pcmanfm-qt");

const ModeNames& lxqtModes() {
    static const ModeNames names{
        QStringLiteral("tile"), QStringLiteral("center"), {}, {QStringLiteral("none")}};
    return names;
}
}  // namespace

std::optional<LxqtBackend::State> LxqtBackend::state() const {
    // LXQt starts pcmanfm-qt with the "lxqt" profile; "default" is its own.
    for (const QString& profile : {QStringLiteral("lxqt"), QStringLiteral("default")}) {
        const QList<KeyFileGroup> settings = readKeyFile(
            context_.env.configHome() + QStringLiteral("/pcmanfm-qt/%1/settings.conf").arg(profile),
            KeyFileDialect::Qt);
        const std::optional<QString> picture =
            keyFileValue(settings, QStringLiteral("Desktop"), QStringLiteral("Wallpaper"));
        if (picture) {
            return State{
                pathFromSetting(*picture),
                keyFileValue(settings, QStringLiteral("Desktop"), QStringLiteral("WallpaperMode"))
                    .value_or(QString())};
        }
    }
    return std::nullopt;
}

std::optional<QString> LxqtBackend::liveWallpaper() {
    const std::optional<State> s = state();
    if (!s) {
        return std::nullopt;
    }
    return originalOfShownCopy(s->picture);
}

std::optional<bool> LxqtBackend::liveTiled() {
    return tiledOf(state(), lxqtModes());
}

ApplyResult LxqtBackend::apply(const QString& path, bool tiled) {
    const CheckedPicture picture = checkPicture(path);
    if (!picture.error.isEmpty()) {
        return {false, picture.error};
    }
    if (!tools_.available(kTool)) {
        return {false, missingToolMessage(kTool)};
    }
    const std::optional<State> before = state();
    // pcmanfm-qt keeps showing the old picture when handed the path it has.
    QString error;
    const QString copy =
        makeShownCopy(picture.path, before ? before->picture : QString(), CopyFormat::Same, &error);
    if (copy.isEmpty()) {
        return {false, error};
    }
    const QString mode = chooseMode(tiled, before ? before->mode : QString(), lxqtModes());
    const ToolResult r = tools_.run(
        kTool, {QStringLiteral("--set-wallpaper"), copy, QStringLiteral("--wallpaper-mode"), mode});
    if (!r.ok()) {
        return {false, r.failure};
    }
    const bool kept = waitUntil(context_.settleMs, [&] {
        const std::optional<State> after = state();
        return after && after->picture == copy && after->mode == mode;
    });
    if (!kept) {
        return {false, QStringLiteral("pcmanfm-qt did not take the new wallpaper")};
    }
    return {true, {}};
}

}  // namespace desktop
