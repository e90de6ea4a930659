#include "system/desktop/HyprlandBackend.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "system/desktop/DesktopText.h"
#include "system/desktop/WallpaperFiles.h"
#include "toolkit/Translations.h"

namespace desktop {

namespace {
const QString kHyprctl = QStringLiteral("hyprctl");
const QString kHyprpaper = QStringLiteral("hyprpaper");
const QString kCover = QStringLiteral("cover");
const QString kFill = QStringLiteral("fill");

const ModeNames& hyprpaperModes() {
    static const ModeNames names{QStringLiteral("tile"), QStringLiteral("contain"), {}, {}};
    return names;
}

// Up to 0.7 the mode is a prefix of the path ("contain:", "tile:"); cover has none.
QPair<QString, QString> splitPrefix(const QString& entry) {
    for (const QString& mode : {QStringLiteral("contain"), QStringLiteral("tile")}) {
        if (entry.startsWith(mode + QLatin1Char(':'))) {
            return {mode, entry.mid(mode.size() + 1)};
        }
    }
    return {kCover, entry};
}

// hyprpaper 0.8 reads fit_mode by its start: "contain", "cover", "tile" and
// "fill" (stretched); anything else, "fit" and "stretch" among them, is cover
// (src/ui/UI.cpp, toFitMode).
QString normalMode(const QString& mode) {
    const QString m = mode.trimmed().toLower();
    for (const QString& known :
         {QStringLiteral("contain"), kCover, QStringLiteral("tile"), kFill}) {
        if (m.startsWith(known)) {
            return known;
        }
    }
    return kCover;
}

PictureMode pictureModeOf(const QString& mode) {
    if (mode == QStringLiteral("tile")) {
        return PictureMode::Tiled;
    }
    if (mode == QStringLiteral("contain")) {
        return PictureMode::Scaled;
    }
    if (mode == kFill) {
        return PictureMode::Stretched;
    }
    return PictureMode::Zoom;
}

QString expandHome(const QString& path, const QString& home) {
    return path.startsWith(QLatin1Char('~')) ? home + path.mid(1) : path;
}
}  // namespace

bool HyprlandBackend::isWildcard(const QString& monitor) {
    return monitor.isEmpty() || monitor == QStringLiteral("*");
}

// hyprctl 0.54 and later hand hyprpaper the canonical path.
bool HyprlandBackend::samePicture(const QString& a, const QString& b) {
    if (a == b) {
        return true;
    }
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

QList<HyprlandBackend::Active> HyprlandBackend::parseListActive(const QString& output) {
    QList<Active> all;
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        // Monitor names hold neither separator; a path may hold both.
        const qsizetype eq = line.indexOf(QStringLiteral(" = "));
        qsizetype colon = line.indexOf(QStringLiteral(": "));
        if (colon < 0 && line.trimmed().endsWith(QLatin1Char(':'))) {
            colon = line.lastIndexOf(QLatin1Char(':'));
        }
        if (eq >= 0 && (colon < 0 || eq < colon)) {
            // hyprpaper 0.7 lists the bare path; older ones kept the prefix.
            const auto [mode, picture] = splitPrefix(line.mid(eq + 3).trimmed());
            if (!picture.isEmpty()) {
                all.append({line.left(eq).trimmed(), picture, mode});
            }
        } else if (colon > 0) {
            // 0.8.4 (src/ipc/IPC.cpp) lists every monitor, an empty path for none.
            all.append({line.left(colon).trimmed(), line.mid(colon + 1).trimmed(), kCover});
        }
    }
    return all;
}

std::optional<HyprlandBackend::Active> HyprlandBackend::configuredFor(const Monitor& monitor,
                                                                      const QList<Active>& config) {
    // src/config/WallpaperMatcher.cpp, matchSetting: the first entry of the
    // monitor's own, else the first wildcard.
    for (const Active& a : config) {
        if (!isWildcard(a.monitor) &&
            (a.monitor == monitor.name ||
             (a.monitor.startsWith(QStringLiteral("desc:")) &&
              (QStringLiteral("desc:") + monitor.description).startsWith(a.monitor)))) {
            return Active{monitor.name, a.picture, a.mode};
        }
    }
    for (const Active& a : config) {
        if (isWildcard(a.monitor)) {
            return Active{monitor.name, a.picture, a.mode};
        }
    }
    return std::nullopt;
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

QList<HyprlandBackend::Monitor> HyprlandBackend::monitors() const {
    const ToolResult r = tools_.run(kHyprctl, {QStringLiteral("monitors"), QStringLiteral("-j")});
    QList<Monitor> all;
    for (const QJsonValue& v : QJsonDocument::fromJson(r.out.toUtf8()).array()) {
        const QJsonObject o = v.toObject();
        const Monitor m{o.value(QStringLiteral("name")).toString(),
                        o.value(QStringLiteral("description")).toString()};
        if (!m.name.isEmpty()) {
            all << m;
        }
    }
    return all;
}

std::optional<HyprlandBackend::Shown> HyprlandBackend::shown(QString* failure) const {
    const ToolResult r = tools_.run(kHyprctl, {kHyprpaper, QStringLiteral("listactive")});
    const QString said = r.out + r.err;
    const QList<Active> config = configured();
    QList<Monitor> known = monitors();
    // hyprctl 0.53 knows only "wallpaper"; hyprpaper 0.8.0-0.8.3 have no
    // status to read (hyprctl/src/hyprpaper/Hyprpaper.cpp, doListActive).
    if (said.contains(QStringLiteral("Unknown hyprpaper request")) ||
        said.contains(QStringLiteral("protocol version too low"))) {
        if (known.isEmpty()) {
            for (const Active& a : config) {
                if (!isWildcard(a.monitor) && !a.monitor.startsWith(QStringLiteral("desc:"))) {
                    known << Monitor{a.monitor, {}};
                }
            }
        }
        Shown s{Generation::Wire08, {}};
        for (const Monitor& monitor : known) {
            s.monitors.append(
                told_.contains(monitor.name)
                    ? told_.value(monitor.name)
                    : configuredFor(monitor, config).value_or(Active{monitor.name, {}, kCover}));
        }
        return s;
    }
    if (!r.ok()) {
        const QString answer = firstLine(said);
        *failure =
            answer.isEmpty()
                ? r.failure
                : QStringLiteral("hyprpaper: ") +
                      (answer.startsWith(QStringLiteral("error: ")) ? answer.mid(7) : answer);
        return std::nullopt;
    }
    const QString answer = firstLine(r.out);
    const QList<Active> listed = parseListActive(r.out);
    Generation generation = Generation::Wire084;
    if (answer == QStringLiteral("no wallpapers active")) {
        generation = Generation::Socket07;
    } else if (!answer.isEmpty() && listed.isEmpty()) {
        *failure = QStringLiteral("hyprpaper: ") + answer;  // "Couldn't connect ..." and the like
        return std::nullopt;
    } else if (answer.contains(QStringLiteral(" = ")) &&
               (answer.indexOf(QStringLiteral(": ")) < 0 ||
                answer.indexOf(QStringLiteral(" = ")) < answer.indexOf(QStringLiteral(": ")))) {
        generation = Generation::Socket07;
    }
    // Every monitor Hyprland has, in its order; one hyprpaper does not list
    // shows nothing yet. The mode, which neither generation tells, is what
    // this program told hyprpaper, else its config's.
    Shown s{generation, {}};
    for (const Monitor& monitor : known) {
        const auto it = std::find_if(listed.cbegin(), listed.cend(),
                                     [&](const Active& a) { return a.monitor == monitor.name; });
        s.monitors.append(it == listed.cend() ? Active{monitor.name, {}, kCover} : *it);
    }
    for (const Active& a : listed) {
        if (std::none_of(known.cbegin(), known.cend(),
                         [&](const Monitor& m) { return m.name == a.monitor; })) {
            s.monitors.append(a);
        }
    }
    for (Active& a : s.monitors) {
        const auto monitor = std::find_if(known.cbegin(), known.cend(),
                                          [&](const Monitor& m) { return m.name == a.monitor; });
        const std::optional<Active> c =
            configuredFor(monitor == known.cend() ? Monitor{a.monitor, {}} : *monitor, config);
        if (told_.contains(a.monitor) && samePicture(told_.value(a.monitor).picture, a.picture)) {
            a.mode = told_.value(a.monitor).mode;
        } else if (c && samePicture(c->picture, a.picture)) {
            a.mode = c->mode;
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
               (answer.isEmpty() ? tk::Text::tr("no answer") : answer);
    }
    return {};
}

HyprlandBackend::HyprlandBackend(DesktopContext context)
    : ToolBackend(std::move(context), {kHyprctl, kHyprpaper, ToolNeeds::Display::Own}) {}

QString HyprlandBackend::missingFromSession() const {
    return context_.env.has(QStringLiteral("HYPRLAND_INSTANCE_SIGNATURE"))
               ? QString()
               : tk::Text::tr("no Hyprland session (HYPRLAND_INSTANCE_SIGNATURE is not set)");
}

CurrentWallpaper HyprlandBackend::current() {
    QString failure;
    const std::optional<Shown> s = shown(&failure);
    if (!s) {
        return {};
    }
    CurrentWallpaper now;
    QList<SavedPlace> places;
    for (const Active& a : s->monitors) {
        if (!a.monitor.isEmpty() && !a.picture.isEmpty()) {
            places.append({a.monitor, a.picture, a.mode, {}});
        }
    }
    now.places = savedPlacesText(places);
    if (s->monitors.isEmpty() || s->monitors.first().picture.isEmpty()) {
        return now;
    }
    now.picture = originalOfShownCopy(s->monitors.first().picture);
    started_.remember(*now.picture);
    now.mode = pictureModeOf(s->monitors.first().mode);
    now.tiled = now.mode == PictureMode::Tiled;
    return now;
}

ApplyResult HyprlandBackend::applyChecked(const QString& picture, bool tiled) {
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
    // The copy lives in our own folder, where no comma is left in its name:
    // hyprctl splits "MONITOR,PATH,FIT" at every comma, and 0.7 its "MONITOR,PATH".
    QString error;
    const QString png = makeShownCopy(picture, targets.first().picture, CopyFormat::Png, &error,
                                      context_.env.ownDataDir());
    if (png.isEmpty()) {
        return {false, error};
    }
    if (png.contains(QLatin1Char(','))) {
        return {false,
                tk::Text::tr("hyprpaper cannot be given a path with a comma (\"%1\")").arg(png)};
    }

    for (Active& target : targets) {
        target.picture = png;
        target.mode = chooseMode(tiled, target.mode, hyprpaperModes());
    }
    failure = show(targets, *before);
    if (!failure.isEmpty()) {
        return {false, failure};
    }
    started_.remember(picture);
    return {true, {}};
}

}  // namespace desktop
