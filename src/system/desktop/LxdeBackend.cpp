#include "system/desktop/LxdeBackend.h"

#include "system/desktop/DesktopText.h"
#include "system/desktop/WallpaperFiles.h"

namespace desktop {

namespace {
const QString kTool = QStringLiteral("pcmanfm");

// Modes: color (no picture), stretch, fit, crop, center, tile, screen.
const ModeNames& lxdeModes() {
    static const ModeNames names{
        QStringLiteral("tile"), QStringLiteral("center"), {}, {QStringLiteral("color")}};
    return names;
}
}  // namespace

std::optional<LxdeBackend::State> LxdeBackend::state() const {
    // lxsession starts pcmanfm with the "LXDE" profile; "default" is its own.
    for (const QString& profile : {QStringLiteral("LXDE"), QStringLiteral("default")}) {
        const QList<KeyFileGroup> settings =
            readKeyFile(context_.env.configHome() +
                        QStringLiteral("/pcmanfm/%1/desktop-items-0.conf").arg(profile));
        const std::optional<QString> picture =
            keyFileValue(settings, QStringLiteral("*"), QStringLiteral("wallpaper"));
        if (picture) {
            return State{pathFromSetting(*picture), keyFileValue(settings, QStringLiteral("*"),
                                                                 QStringLiteral("wallpaper_mode"))
                                                        .value_or(QString())};
        }
    }
    return std::nullopt;
}

std::optional<QString> LxdeBackend::liveWallpaper() {
    return pictureOf(state());
}

std::optional<bool> LxdeBackend::liveTiled() {
    return tiledOf(state(), lxdeModes());
}

ApplyResult LxdeBackend::apply(const QString& path, bool tiled) {
    const CheckedPicture picture = checkPicture(path);
    if (!picture.error.isEmpty()) {
        return {false, picture.error};
    }
    if (!tools_.available(kTool)) {
        return {false, missingToolMessage(kTool)};
    }
    const std::optional<State> before = state();
    const QString mode = chooseMode(tiled, before ? before->mode : QString(), lxdeModes());
    const ToolResult r = tools_.run(kTool, {QStringLiteral("--set-wallpaper=") + picture.path,
                                            QStringLiteral("--wallpaper-mode=") + mode});
    if (!r.ok()) {
        return {false, r.failure};
    }
    const bool kept = waitUntil(context_.settleMs, [&] {
        const std::optional<State> after = state();
        return after && after->picture == picture.path && after->mode == mode;
    });
    if (!kept) {
        return {false, QStringLiteral("pcmanfm did not take the new wallpaper")};
    }
    return {true, {}};
}

}  // namespace desktop
