#include "system/desktop/FehBackend.h"

#include "system/desktop/DesktopText.h"
#include "system/desktop/PictureModeNames.h"
#include "system/desktop/WallpaperFiles.h"
#include "toolkit/Translations.h"

namespace desktop {

namespace {
const QString kFeh = QStringLiteral("feh");
const QString kBg = QStringLiteral("--bg-");

const ModeNames& fehModes() {
    static const ModeNames names{QStringLiteral("tile"), QStringLiteral("center"), {}, {}};
    return names;
}
}  // namespace

std::optional<FehBackend::State> parseFehbg(const QString& text) {
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const std::optional<QStringList> words = splitShellWords(line);
        if (!words || words->isEmpty() || !words->first().endsWith(kFeh)) {
            continue;
        }
        FehBackend::State state;
        for (qsizetype i = 1; i < words->size(); ++i) {
            const QString& w = words->at(i);
            if (w.startsWith(kBg)) {
                state.mode = w.mid(kBg.size());
            } else if (w == QStringLiteral("--image-bg")) {
                ++i;  // its colour
            } else if (!w.startsWith(QLatin1Char('-')) && state.picture.isEmpty()) {
                state.picture = w;
            }
        }
        if (!state.mode.isEmpty() && !state.picture.isEmpty()) {
            return state;
        }
    }
    return std::nullopt;
}

FehBackend::FehBackend(DesktopContext context)
    : ToolBackend(std::move(context), {kFeh, kFeh, ToolNeeds::Display::X11}) {}

std::optional<FehBackend::State> FehBackend::state() const {
    const files::FileBytes read =
        files::readRegularFile(context_.env.home() + QStringLiteral("/.fehbg"), kMaxConfigBytes);
    if (!read.ok()) {
        return std::nullopt;
    }
    return parseFehbg(QString::fromUtf8(read.bytes));
}

CurrentWallpaper FehBackend::current() {
    const std::optional<State> s = state();
    if (!s) {
        return {};
    }
    return {.picture = s->picture,
            .tiled = isTileMode(s->mode, fehModes()),
            .mode = pictureModeFromFeh(s->mode)};
}

ApplyResult FehBackend::applyChecked(const QString& picture, bool tiled) {
    const std::optional<State> before = state();
    const QString mode = chooseMode(tiled, before ? before->mode : QString(), fehModes());
    const ToolResult r = runTool({kBg + mode, picture});
    if (!r.ok()) {
        return {false, r.failure};
    }
    const std::optional<State> after = state();
    if (!after || after->picture != picture || after->mode != mode) {
        return {false, tk::Text::tr("feh did not record the new wallpaper in ~/.fehbg")};
    }
    return {true, {}};
}

}  // namespace desktop
