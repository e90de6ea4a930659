#include "system/desktop/KdeBackend.h"

#include <QMap>

#include "system/desktop/DesktopText.h"
#include "system/desktop/SessionBus.h"
#include "system/desktop/WallpaperFiles.h"

namespace desktop {

namespace {
const QString kService = QStringLiteral("org.kde.plasmashell");
const QString kPath = QStringLiteral("/PlasmaShell");
const QString kInterface = QStringLiteral("org.kde.PlasmaShell");
const QString kImagePlugin = QStringLiteral("org.kde.image");

// FillMode: 0 stretch, 1 fit, 2 crop (the default), 3 tile, 4 tile vertically,
// 5 tile horizontally, 6 centred.
const ModeNames& fillModes() {
    static const ModeNames names{
        QStringLiteral("3"), QStringLiteral("6"), {QStringLiteral("4"), QStringLiteral("5")}, {}};
    return names;
}
const QString kDefaultFillMode = QStringLiteral("2");

const QString kReadScript = QStringLiteral(
    "var ds = desktops();\n"
    "for (var i = 0; i < ds.length; i++) {\n"
    "    var d = ds[i];\n"
    "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
    "    print(d.screen + \"\\t\" + d.wallpaperPlugin + \"\\t\" + d.readConfig(\"Image\") + "
    "\"\\t\" +\n"
    "          d.readConfig(\"FillMode\"));\n"
    "}\n");

QString writeScript(const QString& uri, const QString& fillMode) {
    return QStringLiteral(
               "var ds = desktops();\n"
               "for (var i = 0; i < ds.length; i++) {\n"
               "    var d = ds[i];\n"
               "    d.wallpaperPlugin = \"org.kde.image\";\n"
               "    d.currentConfigGroup = [\"Wallpaper\", \"org.kde.image\", \"General\"];\n"
               "    d.writeConfig(\"Image\", %1);\n"
               "    d.writeConfig(\"FillMode\", %2);\n"
               "}\n")
        .arg(jsString(uri), fillMode);
}

QDBusMessage scriptCall(const QString& script) {
    QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                    QStringLiteral("evaluateScript"));
    m << script;
    return m;
}

QString orDefault(const QString& fillMode) {
    return fillMode.trimmed().isEmpty() ? kDefaultFillMode : fillMode.trimmed();
}
}  // namespace

QList<KdeBackend::Shown> KdeBackend::parseScriptOutput(const QString& output) {
    QList<Shown> first, others;
    for (const QString& line : output.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList f = line.split(QLatin1Char('\t'));
        if (f.size() < 4 || f.at(1) != kImagePlugin) {
            continue;
        }
        Shown s{pathFromSetting(f.at(2)), orDefault(f.at(3))};
        (f.at(0).trimmed() == QStringLiteral("0") ? first : others).append(s);
    }
    return first + others;
}

std::optional<QList<KdeBackend::Shown>> KdeBackend::askPlasma(const SessionBus& bus,
                                                              QString* failure) const {
    const QDBusMessage reply = bus.call(scriptCall(kReadScript), failure);
    if (!failure->isEmpty()) {
        *failure = QStringLiteral("plasmashell cannot be asked: ") + *failure;
        return std::nullopt;
    }
    return parseScriptOutput(reply.arguments().value(0).toString());
}

std::optional<KdeBackend::Shown> KdeBackend::fromAppletsrc() const {
    // Groups look like [Containments][7][Wallpaper][org.kde.image][General].
    const QString path =
        context_.env.configHome() + QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc");
    std::optional<Shown> best;
    int bestId = 0;
    for (const KeyFileGroup& group : readKeyFile(path)) {
        const QStringList parts = group.first.split(QStringLiteral("]["));
        if (parts.size() != 5 || parts.at(0) != QStringLiteral("Containments") ||
            parts.at(2) != QStringLiteral("Wallpaper") || parts.at(3) != kImagePlugin ||
            parts.at(4) != QStringLiteral("General") ||
            !group.second.contains(QStringLiteral("Image"))) {
            continue;
        }
        bool numeric = false;
        const int id = parts.at(1).toInt(&numeric);
        if (!best || (numeric && id < bestId)) {
            best = Shown{pathFromSetting(group.second.value(QStringLiteral("Image"))),
                         orDefault(group.second.value(QStringLiteral("FillMode")))};
            bestId = id;
        }
    }
    return best;
}

std::optional<KdeBackend::Shown> KdeBackend::live() const {
    const SessionBus bus(context_.env, context_.toolTimeoutMs);
    QString failure;
    if (bus.connected()) {
        const std::optional<QList<Shown>> shown = askPlasma(bus, &failure);
        if (shown) {
            return shown->isEmpty() ? std::nullopt : std::optional<Shown>(shown->first());
        }
    }
    return fromAppletsrc();
}

std::optional<QString> KdeBackend::liveWallpaper() {
    const std::optional<Shown> s = live();
    if (!s) {
        return std::nullopt;
    }
    return originalOfShownCopy(s->picture);
}

std::optional<bool> KdeBackend::liveTiled() {
    const std::optional<Shown> s = live();
    if (!s) {
        return std::nullopt;
    }
    return isTileMode(s->fillMode, fillModes());
}

ApplyResult KdeBackend::apply(const QString& path, bool tiled) {
    const CheckedPicture picture = checkPicture(path);
    if (!picture.error.isEmpty()) {
        return {false, picture.error};
    }
    const SessionBus bus(context_.env, context_.toolTimeoutMs);
    if (!bus.connected()) {
        return {false, bus.error()};
    }
    QString failure;
    const std::optional<QList<Shown>> before = askPlasma(bus, &failure);
    if (!before) {
        return {false, failure};
    }
    const Shown current = before->isEmpty() ? Shown{} : before->first();
    // plasmashell ignores a picture it already shows, even when the file changed.
    QString error;
    const QString copy = makeShownCopy(picture.path, current.picture, CopyFormat::Same, &error);
    if (copy.isEmpty()) {
        return {false, error};
    }
    const QString mode =
        chooseMode(tiled, before->isEmpty() ? QString() : current.fillMode, fillModes());
    bus.call(scriptCall(writeScript(fileUriOf(copy), mode)), &failure);
    if (!failure.isEmpty()) {
        return {false, QStringLiteral("plasmashell refused the new wallpaper: ") + failure};
    }

    const std::optional<QList<Shown>> after = askPlasma(bus, &failure);
    if (!after) {
        return {false, failure};
    }
    if (after->isEmpty()) {
        return {false, QStringLiteral("plasmashell shows no desktop with a picture")};
    }
    for (const Shown& s : *after) {
        if (s.picture != copy || s.fillMode != mode) {
            return {false,
                    QStringLiteral("the desktop did not keep the new wallpaper (it shows \"%1\")")
                        .arg(s.picture)};
        }
    }
    return {true, {}};
}

}  // namespace desktop
