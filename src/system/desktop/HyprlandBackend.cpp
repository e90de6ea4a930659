#include "system/desktop/HyprlandBackend.h"

#include "system/desktop/DesktopText.h"
#include "system/desktop/WallpaperFiles.h"

namespace desktop {

namespace {
const QString kHyprctl = QStringLiteral("hyprctl");

const ModeNames& hyprpaperModes() {
    static const ModeNames names{QStringLiteral("tile"), QStringLiteral("contain"), {}, {}};
    return names;
}

QString withMode(const QString& mode, const QString& png) {
    return mode == QStringLiteral("cover") ? png : mode + QLatin1Char(':') + png;
}
}  // namespace

QList<HyprlandBackend::Active> HyprlandBackend::parseListActive(const QString& output) {
    QList<Active> all;
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype eq = line.indexOf(QStringLiteral(" = "));
        if (eq < 0) {
            continue;
        }
        Active a{line.left(eq).trimmed(), line.mid(eq + 3).trimmed(), QStringLiteral("cover")};
        for (const QString& mode : {QStringLiteral("contain"), QStringLiteral("tile")}) {
            if (a.picture.startsWith(mode + QLatin1Char(':'))) {
                a.mode = mode;
                a.picture = a.picture.mid(mode.size() + 1);
            }
        }
        if (!a.picture.isEmpty()) {
            all.append(a);
        }
    }
    return all;
}

QString HyprlandBackend::hyprpaper(const QStringList& args) const {
    const ToolResult r = tools_.run(kHyprctl, QStringList{QStringLiteral("hyprpaper")} + args);
    if (!r.ok()) {
        return r.failure;
    }
    const QString answer = r.out.trimmed();
    if (answer != QStringLiteral("ok")) {
        return QStringLiteral("hyprpaper: ") +
               (answer.isEmpty() ? QStringLiteral("no answer") : firstLine(answer));
    }
    return {};
}

std::optional<QList<HyprlandBackend::Active>> HyprlandBackend::active(QString* failure) const {
    const ToolResult r =
        tools_.run(kHyprctl, {QStringLiteral("hyprpaper"), QStringLiteral("listactive")});
    if (!r.ok()) {
        *failure = r.failure;
        return std::nullopt;
    }
    return parseListActive(r.out);
}

std::optional<QString> HyprlandBackend::liveWallpaper() {
    QString failure;
    const std::optional<QList<Active>> a = active(&failure);
    if (!a || a->isEmpty()) {
        return std::nullopt;
    }
    return originalOfShownCopy(a->first().picture);
}

std::optional<bool> HyprlandBackend::liveTiled() {
    QString failure;
    const std::optional<QList<Active>> a = active(&failure);
    if (!a || a->isEmpty()) {
        return std::nullopt;
    }
    return isTileMode(a->first().mode, hyprpaperModes());
}

ApplyResult HyprlandBackend::apply(const QString& path, bool tiled) {
    const CheckedPicture picture = checkPicture(path);
    if (!picture.error.isEmpty()) {
        return {false, picture.error};
    }
    if (!tools_.available(kHyprctl)) {
        return {false, missingToolMessage(kHyprctl)};
    }
    QString failure;
    const std::optional<QList<Active>> before = active(&failure);
    if (!before) {
        return {false, failure};
    }
    const Active current = before->isEmpty() ? Active{} : before->first();
    QString error;
    const QString png = makeShownCopy(picture.path, current.picture, CopyFormat::Png, &error);
    if (png.isEmpty()) {
        return {false, error};
    }
    const QString mode = chooseMode(tiled, current.mode, hyprpaperModes());
    for (const QStringList& command :
         {QStringList{QStringLiteral("preload"), png},
          QStringList{QStringLiteral("wallpaper"), QLatin1Char(',') + withMode(mode, png)}}) {
        failure = hyprpaper(command);
        if (!failure.isEmpty()) {
            return {false, failure};
        }
    }
    // Free the copy shown before; the user's own pictures stay loaded.
    if (isShownCopy(current.picture) && current.picture != png) {
        hyprpaper({QStringLiteral("unload"), current.picture});
    }

    const std::optional<QList<Active>> after = active(&failure);
    if (!after) {
        return {false, failure};
    }
    if (after->isEmpty()) {
        return {false, QStringLiteral("hyprpaper shows no wallpaper")};
    }
    for (const Active& a : *after) {
        if (a.picture != png || a.mode != mode) {
            return {false,
                    QStringLiteral("hyprpaper did not take the new wallpaper (it shows \"%1\")")
                        .arg(a.picture)};
        }
    }
    return {true, {}};
}

}  // namespace desktop
