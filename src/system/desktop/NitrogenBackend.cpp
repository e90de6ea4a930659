#include "system/desktop/NitrogenBackend.h"

#include "system/desktop/DesktopText.h"
#include "system/desktop/PictureModeNames.h"
#include "system/desktop/WallpaperFiles.h"
#include "toolkit/Translations.h"

namespace desktop {

namespace {
const QString kNitrogen = QStringLiteral("nitrogen");

const ModeNames& nitrogenModes() {
    static const ModeNames names{QStringLiteral("1"), QStringLiteral("2"), {}, {}};
    return names;
}

QString optionFor(const QString& mode) {
    static const QMap<QString, QString> options{
        {QStringLiteral("0"), QStringLiteral("--set-scaled")},
        {QStringLiteral("1"), QStringLiteral("--set-tiled")},
        {QStringLiteral("2"), QStringLiteral("--set-centered")},
        {QStringLiteral("3"), QStringLiteral("--set-zoom")},
        {QStringLiteral("4"), QStringLiteral("--set-auto")},
        {QStringLiteral("5"), QStringLiteral("--set-zoom-fill")},
    };
    return options.value(mode, QStringLiteral("--set-centered"));
}
}  // namespace

QString NitrogenBackend::savedFile() const {
    return context_.env.configHome() + QStringLiteral("/nitrogen/bg-saved.cfg");
}

std::optional<NitrogenBackend::State> NitrogenBackend::state() const {
    for (const KeyFileGroup& group : readKeyFile(savedFile())) {
        const QString file = group.second.value(QStringLiteral("file"));
        if (!file.isEmpty()) {
            return State{group.second.value(QStringLiteral("mode")), file};
        }
    }
    return std::nullopt;
}

std::optional<QString> NitrogenBackend::liveWallpaper() {
    return pictureOf(state());
}

std::optional<bool> NitrogenBackend::liveTiled() {
    return tiledOf(state(), nitrogenModes());
}

std::optional<PictureMode> NitrogenBackend::livePictureMode() {
    const std::optional<State> s = state();
    return s ? pictureModeFromNitrogen(s->mode) : std::nullopt;
}

ApplyResult NitrogenBackend::apply(const QString& path, bool tiled) {
    const CheckedPicture picture =
        refuseLineBreak(checkPictureForX11(path, context_.env), kNitrogen);
    if (!picture.error.isEmpty()) {
        return {false, picture.error};
    }
    const std::optional<State> before = state();
    QString mode = chooseMode(tiled, before ? before->mode : QString(), nitrogenModes());
    if (optionFor(mode) == optionFor(QString())) {
        mode = nitrogenModes().centre;  // a number this program does not know
    }
    const ToolResult r =
        tools_.run(kNitrogen, {optionFor(mode), QStringLiteral("--save"), picture.path});
    if (!r.ok()) {
        return {false, r.failure};
    }
    const std::optional<State> after = state();
    if (!after || after->picture != picture.path || after->mode != mode) {
        return {false,
                tk::Text::tr("nitrogen did not save the new wallpaper in %1").arg(savedFile())};
    }
    return {true, {}};
}

}  // namespace desktop
