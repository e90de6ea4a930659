#include "system/desktop/SwayBackend.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>

#include "system/desktop/DesktopText.h"
#include "system/desktop/ImageLoaders.h"
#include "system/desktop/PictureModeNames.h"
#include "system/desktop/WallpaperFiles.h"
#include "toolkit/Translations.h"

namespace desktop {

namespace {
const QString kSwaymsg = QStringLiteral("swaymsg");

// Modes: stretch, fill, fit, center, tile, solid_color (no picture).
const ModeNames& swayModes() {
    static const ModeNames names{
        QStringLiteral("tile"), QStringLiteral("center"), {}, {QStringLiteral("solid_color")}};
    return names;
}

// swaymsg prints [{"success": false, "error": "..."}] for a refused command.
QString refusal(const QString& reply) {
    const QJsonDocument doc = QJsonDocument::fromJson(reply.toUtf8());
    for (const QJsonValue& v : doc.array()) {
        const QJsonObject o = v.toObject();
        if (o.contains(QStringLiteral("success")) && !o.value(QStringLiteral("success")).toBool()) {
            const QString why = o.value(QStringLiteral("error")).toString();
            return why.isEmpty() ? tk::Text::tr("sway refused the command")
                                 : QStringLiteral("sway: ") + why;
        }
    }
    return {};
}

}  // namespace

QList<SwayBackend::Background> SwayBackend::parseSwaybgArgs(const QStringList& args) {
    QList<Background> all;
    for (qsizetype i = 0; i + 1 < args.size(); ++i) {
        const QString& a = args.at(i);
        if (a == QStringLiteral("-o") || a == QStringLiteral("--output")) {
            all.append({args.at(i + 1), {}, {}, args.at(i + 1)});
            ++i;
            continue;
        }
        const bool image = a == QStringLiteral("-i") || a == QStringLiteral("--image");
        const bool mode = a == QStringLiteral("-m") || a == QStringLiteral("--mode");
        if (!image && !mode) {
            continue;
        }
        if (all.isEmpty()) {
            all.append({QStringLiteral("*"), {}, {}, QStringLiteral("*")});  // before any -o: all
        }
        (image ? all.last().picture : all.last().mode) = args.at(++i);
    }
    return all;
}

QList<SwayBackend::Background> SwayBackend::swaybgBackgrounds() const {
    const QDir proc(context_.procRoot);
    const uint me = getuid();
    for (const QString& pid : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        pid.toUInt(&numeric);
        if (!numeric || QFileInfo(proc.filePath(pid)).ownerId() != me) {
            continue;
        }
        QFile cmdline(proc.filePath(pid) + QStringLiteral("/cmdline"));
        if (!cmdline.open(QIODevice::ReadOnly)) {
            continue;
        }
        QList<QByteArray> raw = cmdline.readAll().split('\0');
        if (!raw.isEmpty() && raw.last().isEmpty()) {
            raw.removeLast();
        }
        if (raw.isEmpty() ||
            QFileInfo(QString::fromUtf8(raw.first())).fileName() != QStringLiteral("swaybg")) {
            continue;
        }
        QStringList args;
        for (qsizetype i = 1; i < raw.size(); ++i) {
            args << QString::fromUtf8(raw.at(i));
        }
        const QList<Background> backgrounds = parseSwaybgArgs(args);
        if (!backgrounds.isEmpty()) {
            return backgrounds;
        }
    }
    return {};
}

QList<SwayBackend::Output> SwayBackend::outputs() const {
    const ToolResult r = tools_.run(
        kSwaymsg, {QStringLiteral("-t"), QStringLiteral("get_outputs"), QStringLiteral("-r")});
    QList<Output> all;
    for (const QJsonValue& v : QJsonDocument::fromJson(r.out.toUtf8()).array()) {
        const QJsonObject o = v.toObject();
        const QString name = o.value(QStringLiteral("name")).toString();
        if (name.isEmpty() || !o.value(QStringLiteral("active")).toBool(true)) {
            continue;
        }
        // sway/config/output.c, output_get_identifier. swaybg takes it from
        // the description, "make model serial (name)" for a real monitor;
        // wlroots describes a virtual one as "Headless output 1" and the
        // like, in which swaybg finds none.
        static const QRegularExpression virtualOutput(
            QStringLiteral("^(HEADLESS|WL|X11|NOOP)-\\d+$"));
        QStringList parts;
        for (const char* field : {"make", "model", "serial"}) {
            const QString part = o.value(QLatin1String(field)).toString();
            parts << (part.isEmpty() ? QStringLiteral("Unknown") : part);
        }
        if (virtualOutput.match(name).hasMatch()) {
            parts.clear();
        }
        const QJsonObject rect = o.value(QStringLiteral("rect")).toObject();
        all << Output{name, parts.join(QLatin1Char(' ')),
                      QPoint(rect.value(QStringLiteral("x")).toInt(),
                             rect.value(QStringLiteral("y")).toInt())};
    }
    // sway lists outputs in the order they came; the one at the top left of
    // the layout is the one whose picture the program reads and places on.
    std::stable_sort(all.begin(), all.end(), [](const Output& a, const Output& b) {
        return std::pair(a.at.x(), a.at.y()) < std::pair(b.at.x(), b.at.y());
    });
    return all;
}

QList<SwayBackend::Background> SwayBackend::shown() const {
    // sway starts one swaybg with "-o NAME" for each output config that has
    // a background, by name, identifier or "*" (sway/config/output.c,
    // spawn_swaybg). swaybg takes the identifier's before the name's, and
    // either before the wildcard (swaybg main.c, output_name and
    // output_description). From sway 1.10 a name config clears the
    // background of the identifier config it overrides (supersede_output_config).
    const QList<Background> given = swaybgBackgrounds();
    QList<Output> known = outputs();
    if (known.isEmpty()) {
        known << Output{QStringLiteral("*"), {}, {}};
    }
    QList<Background> all;
    for (const Output& output : known) {
        std::optional<Background> found;
        for (const QString& key : {output.identifier, output.name, QStringLiteral("*")}) {
            for (const Background& b : given) {
                if (!found && !key.isEmpty() && b.output == key) {
                    found = b;
                }
            }
        }
        Background b = found.value_or(Background{});
        b.output = output.name;
        // A wildcard background is changed for this output alone.
        b.config = b.config.isEmpty() || b.config == QStringLiteral("*") ? output.name : b.config;
        all.append(b);
    }
    return all;
}

SwayBackend::SwayBackend(DesktopContext context)
    : ToolBackend(std::move(context), {kSwaymsg, kSwaymsg, ToolNeeds::Display::Own}) {}

QString SwayBackend::missingFromSession() const {
    return context_.env.has(QStringLiteral("SWAYSOCK"))
               ? QString()
               : tk::Text::tr("no sway session (SWAYSOCK is not set)");
}

CurrentWallpaper SwayBackend::current() {
    const QList<Background> all = shown();
    CurrentWallpaper now;
    QList<SavedPlace> places;
    for (const Background& b : all) {
        if (!b.picture.isEmpty() && b.output != QStringLiteral("*")) {
            places.append({b.output, b.picture, b.mode, {}});
        }
    }
    now.places = savedPlacesText(places);
    if (all.isEmpty() || all.first().picture.isEmpty()) {
        return now;
    }
    now.picture = originalOfShownCopy(all.first().picture);
    started_.remember(*now.picture);
    now.mode = pictureModeFromSwaybg(all.first().mode).value_or(PictureMode::Zoom);
    now.tiled = now.mode == PictureMode::Tiled;
    return now;
}

QString SwayBackend::show(const QList<Background>& targets) const {
    QStringList command, configs;
    for (const Background& b : targets) {
        if (configs.contains(b.config)) {
            continue;  // one identifier config may serve several outputs
        }
        configs << b.config;
        if (!command.isEmpty()) {
            command << QStringLiteral(";");
        }
        // sway strips the quotes of an output's name or identifier, but
        // unlike a picture's path does not unescape it.
        const QString config = b.config.contains(QLatin1Char(' '))
                                   ? QLatin1Char('"') + b.config + QLatin1Char('"')
                                   : b.config;
        command << QStringLiteral("output") << config << QStringLiteral("bg")
                << swayQuotedPath(b.picture) << b.mode;
    }
    const ToolResult r = tools_.run(kSwaymsg, command);
    const QString refused = refusal(r.out);
    if (!refused.isEmpty()) {
        return refused;
    }
    if (!r.ok()) {
        return r.failure;
    }
    // sway answers before the new swaybg is up.
    const bool kept = waitUntil(context_.settleMs, [&] {
        const QList<Background> after = shown();
        for (const Background& t : targets) {
            const auto now = std::find_if(after.cbegin(), after.cend(), [&](const Background& b) {
                return b.output == t.output;
            });
            if (now == after.cend() || now->picture != t.picture || now->mode != t.mode) {
                return false;
            }
        }
        return true;
    });
    return kept ? QString() : tk::Text::tr("sway did not start swaybg with the new wallpaper");
}

ApplyResult SwayBackend::applyChecked(const QString& picture, bool tiled) {
    // Each output keeps its own background: only those showing the picture
    // the placement started from change ("output * bg" would overwrite them
    // all, sway merging the wildcard into every output).
    const QList<Background> before = shown();
    QList<QString> pictures;
    for (const Background& b : before) {
        pictures << b.picture;
    }
    QList<Background> targets;
    for (const qsizetype i : started_.placesToChange(pictures)) {
        Background b = before.at(i);
        b.mode = chooseMode(tiled, b.mode, swayModes());
        targets << b;
    }
    // swaybg reads pictures through gdk-pixbuf.
    QString error;
    const QString handed = pictureForPixbufDesktop(
        picture, targets.isEmpty() ? QString() : targets.first().picture, context_.env, &error);
    if (handed.isEmpty()) {
        return {false, error};
    }
    for (Background& b : targets) {
        b.picture = handed;
    }
    if (const QString failure = show(targets); !failure.isEmpty()) {
        return {false, failure};
    }
    started_.remember(picture);
    return {true, {}};
}

// Each output's picture and mode, by the output's name. An output showing
// a plain colour or nothing has no picture to give back and is left out.
DesktopBackend::PlacesResult SwayBackend::restorePlaces(const PlacesRestore& request) {
    PlacesResult result;
    if (!tools_.available(kSwaymsg)) {
        result.applied = {false, missingToolMessage(kSwaymsg)};
        return result;
    }
    const QList<Background> now = shown();
    QList<Background> targets;
    for (const SavedPlace& place : parseSavedPlaces(request.saved)) {
        const auto output = std::find_if(
            now.cbegin(), now.cend(), [&](const Background& b) { return b.output == place.place; });
        if (output == now.cend() || output->picture == place.picture) {
            continue;  // gone, or showing its own picture still
        }
        if (!request.force && !request.ours(output->picture)) {
            result.leftAlone << tk::Text::tr("sway output %1 (%2)")
                                    .arg(output->output, output->picture.isEmpty()
                                                             ? tk::Text::tr("no picture")
                                                             : output->picture);
            continue;
        }
        Background b = *output;
        b.picture = place.picture;
        b.mode = place.mode.isEmpty() ? QStringLiteral("fill") : place.mode;
        if (!request.gone.isEmpty() && place.picture == request.gone) {
            QString error;
            b.picture =
                pictureForPixbufDesktop(request.replacement, output->picture, context_.env, &error);
            if (b.picture.isEmpty()) {
                result.applied = {false, error};
                return result;
            }
        }
        targets << b;
    }
    if (!targets.isEmpty()) {
        if (const QString failure = show(targets); !failure.isEmpty()) {
            result.applied = {false, failure};
            return result;
        }
    }
    result.restored = static_cast<int>(targets.size());
    result.applied = {true, {}};
    return result;
}

}  // namespace desktop
