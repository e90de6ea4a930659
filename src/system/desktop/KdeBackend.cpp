#include "system/desktop/KdeBackend.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <algorithm>
#include <climits>

#include "system/desktop/DesktopText.h"
#include "system/desktop/KdeWallpaperPackage.h"
#include "system/desktop/SessionBus.h"
#include "system/desktop/ToolRunner.h"
#include "system/desktop/WallpaperFiles.h"
#include "toolkit/Translations.h"

namespace desktop {

namespace {
const QString kService = QStringLiteral("org.kde.plasmashell");
const QString kPath = QStringLiteral("/PlasmaShell");
const QString kInterface = QStringLiteral("org.kde.PlasmaShell");
const QString kImagePlugin = QStringLiteral("org.kde.image");
const QString kTiledPlugin = QStringLiteral("org.kde.tiled");

// FillMode of the image plugin: 0 stretch, 1 fit, 2 crop (the default),
// 3 tile, 4 tile vertically, 5 tile horizontally, 6 centred.
const ModeNames& fillModes() {
    static const ModeNames names{
        QStringLiteral("3"), QStringLiteral("6"), {QStringLiteral("4"), QStringLiteral("5")}, {}};
    return names;
}
const QString kDefaultFillMode = QStringLiteral("2");

// Plasma appends the strings of all print() calls without a separator, so the
// script prints once: one JSON text with every desktop.
const QString kReadScript = QStringLiteral(
    "var out = {version: String(applicationVersion), desktops: []};\n"
    "var ds = desktops();\n"
    "for (var i = 0; i < ds.length; i++) {\n"
    "    var d = ds[i];\n"
    "    var plugin = String(d.wallpaperPlugin);\n"
    "    d.currentConfigGroup = [\"Wallpaper\", plugin, \"General\"];\n"
    "    out.desktops.push({id: d.id, screen: d.screen, plugin: plugin,\n"
    "                       image: String(d.readConfig(\"Image\", \"\")),\n"
    "                       fillMode: String(d.readConfig(\"FillMode\", \"\"))});\n"
    "}\n"
    "print(JSON.stringify(out));\n");

// `wanted` maps a containment id to {plugin, image, fillMode}; an image left
// out and an empty fillMode are not written (the tiled plugin has no fill
// mode, other plugins no image).
QString writeScript(const QJsonObject& wanted) {
    return QStringLiteral(
               "var wanted = %1;\n"
               "var ds = desktops();\n"
               "for (var i = 0; i < ds.length; i++) {\n"
               "    var d = ds[i];\n"
               "    var w = wanted[String(d.id)];\n"
               "    if (!w) continue;\n"
               "    d.wallpaperPlugin = w.plugin;\n"
               "    d.currentConfigGroup = [\"Wallpaper\", w.plugin, \"General\"];\n"
               "    if (w.image !== undefined) d.writeConfig(\"Image\", w.image);\n"
               "    if (w.fillMode !== \"\") d.writeConfig(\"FillMode\", Number(w.fillMode));\n"
               "}\n")
        .arg(QString::fromUtf8(QJsonDocument(wanted).toJson(QJsonDocument::Compact)));
}

QDBusMessage scriptCall(const QString& script) {
    QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                    QStringLiteral("evaluateScript"));
    m << script;
    return m;
}

QString fillModeOf(const KdeBackend::Desktop& d) {
    const QString f = d.fillMode.trimmed();
    return f.isEmpty() || f == QStringLiteral("undefined") ? kDefaultFillMode : f;
}

// What a desktop looks like, as the shell draws it.
PictureMode modeOf(const KdeBackend::Desktop& d, const KdeBackend::Shell& shell) {
    if (d.plugin == kTiledPlugin) {
        return PictureMode::Tiled;
    }
    const QString f = fillModeOf(d);
    if (isTileMode(f, fillModes())) {
        // From 6.6 the image plugin draws its old tiling modes stretched.
        return shell.tilesWithOwnPlugin() ? PictureMode::Stretched : PictureMode::Tiled;
    }
    if (f == QStringLiteral("0")) {
        return PictureMode::Stretched;
    }
    if (f == QStringLiteral("1")) {
        return PictureMode::Scaled;
    }
    if (f == QStringLiteral("6")) {
        return PictureMode::Centered;
    }
    return PictureMode::Zoom;
}

// The plugin and FillMode a desktop gets. Untiled keeps the desktop's own
// fill mode unless it tiles (or, from 6.6, draws an old tiling mode
// stretched, which is written as the stretch it is).
// Without the tiled plugin (kdeplasma-addons) a 6.6 desktop cannot tile:
// it keeps the image plugin, untiled.
QPair<QString, QString> wantedFor(const KdeBackend::Desktop& d, const KdeBackend::Shell& shell,
                                  bool tiled, bool tiledPluginInstalled) {
    if (tiled && !shell.tilesWithOwnPlugin()) {
        return {kImagePlugin, fillModes().tile};
    }
    if (tiled && tiledPluginInstalled) {
        return {kTiledPlugin, QString()};
    }
    QString current = d.plugin == kImagePlugin ? fillModeOf(d) : QString();
    if (shell.tilesWithOwnPlugin() && isTileMode(current, fillModes())) {
        current = QStringLiteral("0");
    }
    return {kImagePlugin, chooseMode(false, current, fillModes())};
}
}  // namespace

bool KdeBackend::Desktop::showsPicture() const {
    return plugin == kImagePlugin || plugin == kTiledPlugin;
}

QString KdeBackend::Desktop::fillModeToWrite() const {
    return plugin == kImagePlugin ? fillModeOf(*this) : QString();
}

std::optional<KdeBackend::Shell> KdeBackend::parseScriptOutput(const QString& output) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(output.trimmed().toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        return std::nullopt;
    }
    const QJsonObject root = doc.object();
    Shell shell;
    const QStringList version = root.value(QStringLiteral("version")).toString().split('.');
    shell.major = version.value(0).toInt();
    shell.minor = version.value(1).toInt();
    QList<Desktop> first, others;
    for (const QJsonValue& v : root.value(QStringLiteral("desktops")).toArray()) {
        const QJsonObject o = v.toObject();
        Desktop d{o.value(QStringLiteral("id")).toInteger(-1),
                  o.value(QStringLiteral("screen")).toInt(-1),
                  o.value(QStringLiteral("plugin")).toString(),
                  o.value(QStringLiteral("image")).toString(),
                  o.value(QStringLiteral("fillMode")).toString()};
        (d.screen == 0 ? first : others).append(d);
    }
    // Screens in order; a desktop on no screen (-1) last.
    std::stable_sort(others.begin(), others.end(), [](const Desktop& a, const Desktop& b) {
        return (a.screen < 0 ? INT_MAX : a.screen) < (b.screen < 0 ? INT_MAX : b.screen);
    });
    shell.desktops = first + others;
    return shell;
}

std::optional<KdeBackend::Shell> KdeBackend::askPlasma(const SessionBus& bus,
                                                       QString* failure) const {
    const QDBusMessage reply = bus.call(scriptCall(kReadScript), failure);
    if (!failure->isEmpty()) {
        *failure = tk::Text::tr("plasmashell cannot be asked: ") + *failure;
        return std::nullopt;
    }
    const QString text = reply.arguments().value(0).toString();
    std::optional<Shell> shell = parseScriptOutput(text);
    if (!shell) {
        *failure = tk::Text::tr("plasmashell gave an answer that is not understood: ") +
                   firstLine(text).left(120);
    }
    return shell;
}

QString KdeBackend::write(const SessionBus& bus, const QJsonObject& wanted) const {
    QString failure;
    bus.call(scriptCall(writeScript(wanted)), &failure);
    return failure;
}

std::optional<KdeBackend::Shell> KdeBackend::fromAppletsrc() const {
    // [Containments][7] holds wallpaperplugin and lastScreen of a desktop,
    // [Containments][7][Wallpaper][org.kde.image][General] its Image and FillMode.
    const QList<KeyFileGroup> groups = readKeyFile(
        context_.env.configHome() + QStringLiteral("/plasma-org.kde.plasma.desktop-appletsrc"));
    QJsonArray desktops;
    for (const KeyFileGroup& group : groups) {
        const QStringList parts = group.first.split(QStringLiteral("]["));
        if (parts.size() != 2 || parts.at(0) != QStringLiteral("Containments") ||
            !group.second.contains(QStringLiteral("wallpaperplugin"))) {
            continue;
        }
        const QString plugin = group.second.value(QStringLiteral("wallpaperplugin"));
        const QString settings =
            QStringLiteral("Containments][%1][Wallpaper][%2][General").arg(parts.at(1), plugin);
        desktops.append(QJsonObject{
            {QStringLiteral("id"), parts.at(1).toLongLong()},
            {QStringLiteral("screen"),
             group.second.value(QStringLiteral("lastScreen"), QStringLiteral("-1")).toInt()},
            {QStringLiteral("plugin"), plugin},
            {QStringLiteral("image"),
             keyFileValue(groups, settings, QStringLiteral("Image")).value_or(QString())},
            {QStringLiteral("fillMode"),
             keyFileValue(groups, settings, QStringLiteral("FillMode")).value_or(QString())}});
    }
    if (desktops.isEmpty()) {
        return std::nullopt;
    }
    // The file does not say which Plasma wrote it; a tiled plugin tells 6.6.
    const QJsonObject root{{QStringLiteral("version"), QStringLiteral("5.27")},
                           {QStringLiteral("desktops"), desktops}};
    return parseScriptOutput(QString::fromUtf8(QJsonDocument(root).toJson()));
}

QString KdeBackend::pictureOf(const Desktop& d) const {
    if (!d.showsPicture()) {
        return {};
    }
    QString image = d.image == QStringLiteral("undefined") ? QString() : d.image;
    // From 6.5 the image plugin marks the variant it shows ("#dark", "#light",
    // "#day-night": imagebackend.cpp, makeWallpaperUrl).
    static const QRegularExpression variant(QStringLiteral("#(dark|light|day-night)$"));
    image.remove(variant);
    // An empty Image is the image plugin's default wallpaper package.
    const QString path =
        image.isEmpty()
            ? (d.plugin == kImagePlugin ? defaultWallpaperPackage(context_.env) : QString())
            : pathFromSetting(image);
    return QFileInfo(path).isDir() ? pictureOfPackage(path) : path;
}

QList<KdeBackend::Desktop> KdeBackend::pictureDesktops(const Shell& shell) const {
    QList<Desktop> shown;
    for (const Desktop& d : shell.desktops) {
        if (d.showsPicture()) {
            shown.append(d);
        }
    }
    return shown;
}

QString KdeBackend::missingFromSession() const {
    return SessionBus::missingFrom(context_.env);
}

CurrentWallpaper KdeBackend::current() {
    // Plasma is asked; where it cannot be, its config file tells the
    // picture, but no places to keep.
    const SessionBus bus(context_.env, context_.toolTimeoutMs);
    QString failure;
    std::optional<Shell> shell = bus.connected() ? askPlasma(bus, &failure) : std::nullopt;
    CurrentWallpaper now;
    if (shell) {
        QList<SavedPlace> places;
        for (const Desktop& d : shell->desktops) {
            places.append({QString::number(d.id), d.showsPicture() ? d.image : QString(),
                           d.fillModeToWrite(), d.plugin});
        }
        now.places = savedPlacesText(places);
    } else {
        shell = fromAppletsrc();
    }
    const QList<Desktop> shown = shell ? pictureDesktops(*shell) : QList<Desktop>();
    if (shown.isEmpty()) {
        return now;
    }
    now.picture = originalOfShownCopy(pictureOf(shown.first()));
    started_.remember(*now.picture);
    now.mode = modeOf(shown.first(), *shell);
    now.tiled = now.mode == PictureMode::Tiled;
    return now;
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
    const std::optional<Shell> before = askPlasma(bus, &failure);
    if (!before) {
        return {false, failure};
    }
    // Each screen (and activity) has a desktop of its own: only those showing
    // the picture the placement started from change. Without any desktop
    // showing a picture, every desktop gets it.
    QList<Desktop> places = pictureDesktops(*before);
    if (places.isEmpty()) {
        places = before->desktops;
    }
    QList<QString> shown;
    for (const Desktop& d : places) {
        shown << pictureOf(d);
    }
    QList<Desktop> targets;
    for (const qsizetype i : started_.placesToChange(shown)) {
        targets << places.at(i);
    }
    if (targets.isEmpty()) {
        return {false, tk::Text::tr("plasmashell has no desktop")};
    }
    // plasmashell ignores a picture it already shows, even when the file changed.
    QString error;
    const QString copy =
        pathToHand(picture.path, pictureOf(targets.first()), context_.env.ownDataDir(), &error);
    if (copy.isEmpty()) {
        return {false, error};
    }
    const bool tiledPlugin = wallpaperPluginInstalled(context_.env, kTiledPlugin);
    QJsonObject wanted;
    for (const Desktop& d : targets) {
        const auto [plugin, fillMode] = wantedFor(d, *before, tiled, tiledPlugin);
        wanted.insert(QString::number(d.id), QJsonObject{{QStringLiteral("plugin"), plugin},
                                                         {QStringLiteral("image"), fileUriOf(copy)},
                                                         {QStringLiteral("fillMode"), fillMode}});
    }
    failure = write(bus, wanted);
    if (!failure.isEmpty()) {
        return {false, tk::Text::tr("plasmashell refused the new wallpaper: ") + failure};
    }

    const std::optional<Shell> after = askPlasma(bus, &failure);
    if (!after) {
        return {false, failure};
    }
    for (const Desktop& target : targets) {
        const QJsonObject w = wanted.value(QString::number(target.id)).toObject();
        const auto now = std::find_if(after->desktops.cbegin(), after->desktops.cend(),
                                      [&](const Desktop& d) { return d.id == target.id; });
        const bool kept = now != after->desktops.cend() &&
                          now->plugin == w.value(QStringLiteral("plugin")).toString() &&
                          pictureOf(*now) == copy &&
                          (now->plugin != kImagePlugin ||
                           fillModeOf(*now) == w.value(QStringLiteral("fillMode")).toString());
        if (!kept) {
            return {false,
                    tk::Text::tr("the desktop did not keep the new wallpaper (it shows \"%1\")")
                        .arg(now == after->desktops.cend() ? QString() : pictureOf(*now))};
        }
        // Plasma keeps a plugin it cannot load and shows no wallpaper at all.
        if (!wallpaperPluginInstalled(context_.env, now->plugin)) {
            return {false, tk::Text::tr("the desktop has no wallpaper: its plugin %1 is not "
                                        "installed")
                               .arg(now->plugin)};
        }
    }
    started_.remember(picture.path);
    if (tiled && before->tilesWithOwnPlugin() && !tiledPlugin) {
        return {true,
                {},
                tk::Text::tr("tiling is not available: Plasma tiles with the wallpaper plugin "
                             "org.kde.tiled (package kdeplasma-addons), which is not installed")};
    }
    return {true, {}};
}

}  // namespace desktop
