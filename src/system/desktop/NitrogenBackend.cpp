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

NitrogenBackend::NitrogenBackend(DesktopContext context)
    : ToolBackend(std::move(context), {kNitrogen, kNitrogen, ToolNeeds::Display::X11}) {}

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

CurrentWallpaper NitrogenBackend::current() {
    const std::optional<State> s = state();
    if (!s) {
        return {};
    }
    return {.picture = s->picture,
            .tiled = isTileMode(s->mode, nitrogenModes()),
            .mode = pictureModeFromNitrogen(s->mode)};
}

ApplyResult NitrogenBackend::applyChecked(const QString& picture, bool tiled) {
    const std::optional<State> before = state();
    QString mode = chooseMode(tiled, before ? before->mode : QString(), nitrogenModes());
    if (optionFor(mode) == optionFor(QString())) {
        mode = nitrogenModes().centre;  // a number this program does not know
    }
    const ToolResult r = runTool({optionFor(mode), QStringLiteral("--save"), picture});
    if (!r.ok()) {
        return {false, r.failure};
    }
    const std::optional<State> after = state();
    if (!after || after->picture != picture || after->mode != mode) {
        return {false,
                tk::Text::tr("nitrogen did not save the new wallpaper in %1").arg(savedFile())};
    }
    return {true, {}};
}

}  // namespace desktop
