#include "system/desktop/HyprlandBackend.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "system/desktop/DesktopText.h"
#include "system/desktop/WallpaperFiles.h"

namespace desktop {

namespace {
const QString kHyprctl = QStringLiteral("hyprctl");
const QString kHyprpaper = QStringLiteral("hyprpaper");
const QString kCover = QStringLiteral("cover");

const ModeNames& hyprpaperModes() {
    static const ModeNames names{QStringLiteral("tile"), QStringLiteral("contain"), {}, {}};
    return names;
}

// Up to 0.7 the mode is a prefix of the path ("contain:", "tile:"); cover has none.
QString withPrefix(const QString& mode, const QString& png) {
    return mode == kCover ? png : mode + QLatin1Char(':') + png;
}
QPair<QString, QString> splitPrefix(const QString& entry) {
    for (const QString& mode : {QStringLiteral("contain"), QStringLiteral("tile")}) {
        if (entry.startsWith(mode + QLatin1Char(':'))) {
            return {mode, entry.mid(mode.size() + 1)};
        }
    }
    return {kCover, entry};
}

// hyprctl (0.8) reads fit and stretch as one mode.
QString normalMode(const QString& mode) {
    const QString m = mode.trimmed().toLower();
    if (m == QStringLiteral("stretch")) {
        return QStringLiteral("fit");
    }
    return m == QStringLiteral("contain") || m == QStringLiteral("tile") ||
                   m == QStringLiteral("fit")
               ? m
               : kCover;
}

PictureMode pictureModeOf(const QString& mode) {
    if (mode == QStringLiteral("tile")) {
        return PictureMode::Tiled;
    }
    if (mode == QStringLiteral("contain")) {
        return PictureMode::Scaled;
    }
    if (mode == QStringLiteral("fit")) {
        return PictureMode::Stretched;
    }
    return PictureMode::Zoom;
}

QString expandHome(const QString& path, const QString& home) {
    return path.startsWith(QLatin1Char('~')) ? home + path.mid(1) : path;
}
}  // namespace

QList<HyprlandBackend::Active> HyprlandBackend::parseListActive(const QString& output) {
    QList<Active> all;
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype eq = line.indexOf(QStringLiteral(" = "));
        if (eq < 0) {
            continue;
        }
        // hyprpaper 0.7 lists the bare path; older ones kept the prefix.
        const auto [mode, picture] = splitPrefix(line.mid(eq + 3).trimmed());
        if (!picture.isEmpty()) {
            all.append({line.left(eq).trimmed(), picture, mode});
        }
    }
    return all;
}

QList<HyprlandBackend::Active> HyprlandBackend::parseConfig(const QString& text) {
    QList<Active> all;
    std::optional<Active> block;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.section(QLatin1Char('#'), 0, 0).trimmed();
        if (line.startsWith(QStringLiteral("wallpaper")) && line.endsWith(QLatin1Char('{'))) {
            block = Active{{}, {}, kCover};
            continue;
        }
        if (block && line == QStringLiteral("}")) {
            if (!block->picture.isEmpty()) {
                all.append(*block);
            }
            block.reset();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0) {
            continue;
        }
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (block) {
            if (key == QStringLiteral("monitor")) {
                block->monitor = value;
            } else if (key == QStringLiteral("path")) {
                block->picture = value;
            } else if (key == QStringLiteral("fit_mode")) {
                block->mode = normalMode(value);
            }
        } else if (key == QStringLiteral("wallpaper") && value.contains(QLatin1Char(','))) {
            const auto [mode, picture] = splitPrefix(value.section(QLatin1Char(','), 1).trimmed());
            all.append({value.section(QLatin1Char(','), 0, 0).trimmed(), picture, mode});
        }
    }
    return all;
}

QList<HyprlandBackend::Active> HyprlandBackend::configured() const {
    // hyprpaper reads ~/.config/hypr/hyprpaper.conf when it starts.
    const files::FileBytes read = files::readRegularFile(
        context_.env.configHome() + QStringLiteral("/hypr/hyprpaper.conf"), kMaxConfigBytes);
    if (!read.ok()) {
        return {};
    }
    QList<Active> all = parseConfig(QString::fromUtf8(read.bytes));
    for (Active& a : all) {
        a.picture = expandHome(a.picture, context_.env.home());
    }
    return all;
}

QStringList HyprlandBackend::monitorNames() const {
    const ToolResult r = tools_.run(kHyprctl, {QStringLiteral("monitors"), QStringLiteral("-j")});
    QStringList names;
    for (const QJsonValue& v : QJsonDocument::fromJson(r.out.toUtf8()).array()) {
        names << v.toObject().value(QStringLiteral("name")).toString();
    }
    names.removeAll(QString());
    return names;
}

std::optional<HyprlandBackend::Shown> HyprlandBackend::shown(QString* failure) const {
    const ToolResult r = tools_.run(kHyprctl, {kHyprpaper, QStringLiteral("listactive")});
    // hyprctl 0.53 (hyprpaper 0.8) knows only "wallpaper" and says so.
    if ((r.out + r.err).contains(QStringLiteral("Unknown hyprpaper request"))) {
        const QList<Active> config = configured();
        QStringList names = monitorNames();
        if (names.isEmpty()) {
            for (const Active& a : config) {
                names << a.monitor;
            }
        }
        Shown s{Generation::Wire08, {}};
        for (const QString& monitor : names) {
            std::optional<Active> found;
            if (told_.contains(monitor)) {
                found = told_.value(monitor);
            } else {
                for (const QString& wanted : {monitor, QString()}) {
                    for (const Active& a : config) {
                        if (!found && a.monitor == wanted) {
                            found = Active{monitor, a.picture, a.mode};
                        }
                    }
                }
            }
            s.monitors.append(found.value_or(Active{monitor, {}, kCover}));
        }
        return s;
    }
    if (!r.ok()) {
        *failure = r.failure;
        return std::nullopt;
    }
    const QString answer = firstLine(r.out);
    if (!answer.isEmpty() && !answer.contains(QStringLiteral(" = "))) {
        *failure = QStringLiteral("hyprpaper: ") + answer;  // "Couldn't connect ..." and the like
        return std::nullopt;
    }
    Shown s{Generation::Socket07, parseListActive(r.out)};
    // 0.7 lists the path without its mode: what was told (or configured) says it.
    const QList<Active> config = configured();
    for (Active& a : s.monitors) {
        if (told_.contains(a.monitor) && told_.value(a.monitor).picture == a.picture) {
            a.mode = told_.value(a.monitor).mode;
            continue;
        }
        for (const Active& c : config) {
            if (c.picture == a.picture && (c.monitor == a.monitor || c.monitor.isEmpty())) {
                a.mode = c.mode;
            }
        }
    }
    return s;
}

QString HyprlandBackend::run(const QStringList& args, Generation generation) const {
    const ToolResult r = tools_.run(kHyprctl, QStringList{kHyprpaper} + args);
    if (!r.ok()) {
        return r.failure;
    }
    const QString answer = firstLine(r.out);
    // 0.7 answers "ok"; 0.8 prints nothing on success and "error: ..." otherwise.
    if (generation == Generation::Socket07 ? answer != QStringLiteral("ok") : !answer.isEmpty()) {
        return QStringLiteral("hyprpaper: ") +
               (answer.isEmpty() ? QStringLiteral("no answer") : answer);
    }
    return {};
}

std::optional<QString> HyprlandBackend::liveWallpaper() {
    QString failure;
    const std::optional<Shown> s = shown(&failure);
    if (!s || s->monitors.isEmpty() || s->monitors.first().picture.isEmpty()) {
        return std::nullopt;
    }
    const QString picture = originalOfShownCopy(s->monitors.first().picture);
    started_.remember(picture);
    return picture;
}

std::optional<bool> HyprlandBackend::liveTiled() {
    const std::optional<PictureMode> mode = livePictureMode();
    if (!mode) {
        return std::nullopt;
    }
    return *mode == PictureMode::Tiled;
}

std::optional<PictureMode> HyprlandBackend::livePictureMode() {
    QString failure;
    const std::optional<Shown> s = shown(&failure);
    if (!s || s->monitors.isEmpty() || s->monitors.first().picture.isEmpty()) {
        return std::nullopt;
    }
    return pictureModeOf(s->monitors.first().mode);
}

ApplyResult HyprlandBackend::apply(const QString& path, bool tiled) {
    const CheckedPicture picture = refuseLineBreak(checkPicture(path), kHyprpaper);
    if (!picture.error.isEmpty()) {
        return {false, picture.error};
    }
    if (!tools_.available(kHyprctl)) {
        return {false, missingToolMessage(kHyprctl)};
    }
    QString failure;
    const std::optional<Shown> before = shown(&failure);
    if (!before) {
        return {false, failure};
    }
    // Each monitor keeps its own picture; only those showing the picture the
    // placement started from change. Without a monitor known, all of them do.
    QList<Active> targets;
    QList<QString> pictures;
    for (const Active& a : before->monitors) {
        pictures << a.picture;
    }
    for (const qsizetype i : started_.placesToChange(pictures)) {
        targets << before->monitors.at(i);
    }
    if (targets.isEmpty()) {
        targets << Active{{}, {}, kCover};
    }
    QString error;
    const QString png =
        makeShownCopy(picture.path, targets.first().picture, CopyFormat::Png, &error);
    if (png.isEmpty()) {
        return {false, error};
    }

    const bool old = before->generation == Generation::Socket07;
    if (old && !(failure = run({QStringLiteral("preload"), png}, before->generation)).isEmpty()) {
        return {false, failure};
    }
    QMap<QString, Active> told;
    for (const Active& target : targets) {
        const QString mode = chooseMode(tiled, target.mode, hyprpaperModes());
        // 0.7 changes only monitors still on the wildcard for an empty
        // monitor, so each is named; 0.8 takes the mode as a third field.
        const QString request = old ? target.monitor + QLatin1Char(',') + withPrefix(mode, png)
                                    : QStringList{target.monitor, png, mode}.join(QLatin1Char(','));
        failure = run({QStringLiteral("wallpaper"), request}, before->generation);
        if (!failure.isEmpty()) {
            return {false, failure};
        }
        told.insert(target.monitor, Active{target.monitor, png, mode});
    }

    if (old) {
        // Free the copies shown before; the user's own pictures stay loaded.
        for (const Active& target : targets) {
            if (isShownCopy(target.picture) && target.picture != png) {
                run({QStringLiteral("unload"), target.picture}, before->generation);
            }
        }
        const std::optional<Shown> after = shown(&failure);
        if (!after) {
            return {false, failure};
        }
        for (const Active& target : targets) {
            const auto now =
                std::find_if(after->monitors.cbegin(), after->monitors.cend(),
                             [&](const Active& a) { return a.monitor == target.monitor; });
            if (now == after->monitors.cend() || now->picture != png) {
                return {false,
                        QStringLiteral("hyprpaper did not take the new wallpaper (it shows \"%1\")")
                            .arg(now == after->monitors.cend() ? QString() : now->picture)};
            }
        }
    }
    // 0.8 has nothing to read back: its "success" comes after it checked the
    // path and the monitor and took the wallpaper.
    for (auto it = told.cbegin(); it != told.cend(); ++it) {
        told_.insert(it.key(), it.value());
    }
    started_.remember(picture.path);
    return {true, {}};
}

}  // namespace desktop
