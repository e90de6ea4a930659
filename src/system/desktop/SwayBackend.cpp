#include "system/desktop/SwayBackend.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "system/desktop/DesktopText.h"
#include "system/desktop/WallpaperFiles.h"

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
            return why.isEmpty() ? QStringLiteral("sway refused the command")
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
            all.append({args.at(++i), {}, {}});
            continue;
        }
        const bool image = a == QStringLiteral("-i") || a == QStringLiteral("--image");
        const bool mode = a == QStringLiteral("-m") || a == QStringLiteral("--mode");
        if (!image && !mode) {
            continue;
        }
        if (all.isEmpty()) {
            all.append({QStringLiteral("*"), {}, {}});  // given before any -o: every output
        }
        (image ? all.last().picture : all.last().mode) = args.at(++i);
    }
    QList<Background> ordered;
    for (const Background& b : all) {
        if (!b.picture.isEmpty()) {
            if (b.output == QStringLiteral("*")) {
                ordered.prepend(b);
            } else {
                ordered.append(b);
            }
        }
    }
    return ordered;
}

std::optional<SwayBackend::Background> SwayBackend::shown() const {
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
            return backgrounds.first();
        }
    }
    return std::nullopt;
}

std::optional<QString> SwayBackend::liveWallpaper() {
    return pictureOf(shown());
}

std::optional<bool> SwayBackend::liveTiled() {
    return tiledOf(shown(), swayModes());
}

ApplyResult SwayBackend::apply(const QString& path, bool tiled) {
    const CheckedPicture picture = checkPicture(path);
    if (!picture.error.isEmpty()) {
        return {false, picture.error};
    }
    if (!tools_.available(kSwaymsg)) {
        return {false, missingToolMessage(kSwaymsg)};
    }
    const std::optional<Background> before = shown();
    const QString mode = chooseMode(tiled, before ? before->mode : QString(), swayModes());
    const ToolResult r =
        tools_.run(kSwaymsg, {QStringLiteral("output"), QStringLiteral("*"), QStringLiteral("bg"),
                              swayQuotedPath(picture.path), mode});
    const QString refused = refusal(r.out);
    if (!refused.isEmpty()) {
        return {false, refused};
    }
    if (!r.ok()) {
        return {false, r.failure};
    }
    // sway answers before the new swaybg is up.
    const bool kept = waitUntil(context_.settleMs, [&] {
        const std::optional<Background> after = shown();
        return after && after->picture == picture.path && after->mode == mode;
    });
    if (!kept) {
        return {false, QStringLiteral("sway did not start swaybg with the new wallpaper")};
    }
    return {true, {}};
}

}  // namespace desktop
