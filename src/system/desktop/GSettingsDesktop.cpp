#include "system/desktop/GSettingsDesktop.h"

#include <QUrl>

#include "system/desktop/DesktopText.h"
#include "system/desktop/ImageLoaders.h"
#include "system/desktop/PictureModeNames.h"
#include "system/desktop/SessionBus.h"
#include "system/desktop/WallpaperFiles.h"
#include "toolkit/Translations.h"

namespace desktop {

namespace {
const QString kGsettings = QStringLiteral("gsettings");
const QString kOptionsKey = QStringLiteral("picture-options");

const ModeNames& pictureOptions() {
    static const ModeNames names{
        QStringLiteral("wallpaper"), QStringLiteral("centered"), {}, {QStringLiteral("none")}};
    return names;
}
}  // namespace

GSettingsDesktop::GSettingsDesktop(DesktopContext context, GSettingsLayout layout)
    : context_(std::move(context)),
      layout_(std::move(layout)),
      tools_(context_.env, context_.toolTimeoutMs) {}

std::optional<QString> GSettingsDesktop::get(const QString& schema, const QString& key,
                                             QString* failure) const {
    const ToolResult r = tools_.run(kGsettings, {QStringLiteral("get"), schema, key});
    if (!r.ok()) {
        if (failure) {
            *failure = r.failure;
        }
        return std::nullopt;
    }
    const std::optional<QString> value = parseGVariantString(r.out);
    if (!value && failure) {
        *failure = tk::Text::tr("gsettings gave no text for %1 %2").arg(schema, key);
    }
    return value;
}

bool GSettingsDesktop::prefersDark() const {
    if (layout_.colorSchemeSchema.isEmpty()) {
        return false;
    }
    return get(layout_.colorSchemeSchema, QStringLiteral("color-scheme")) ==
           QStringLiteral("prefer-dark");
}

QString GSettingsDesktop::missingFromSession() const {
    return SessionBus::missingFrom(context_.env);
}

QMap<QString, QString> GSettingsDesktop::background() const {
    // "SCHEMA KEY VALUE" lines; a key an older desktop lacks is not among them.
    QMap<QString, QString> values;
    const ToolResult r =
        tools_.run(kGsettings, {QStringLiteral("list-recursively"), layout_.schema});
    if (!r.ok()) {
        return values;
    }
    const QString prefix = layout_.schema + QLatin1Char(' ');
    for (const QString& line : r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype space = line.indexOf(QLatin1Char(' '), prefix.size());
        if (!line.startsWith(prefix) || space < 0) {
            continue;
        }
        if (const std::optional<QString> value = parseGVariantString(line.mid(space + 1))) {
            values.insert(line.mid(prefix.size(), space - prefix.size()), *value);
        }
    }
    return values;
}

CurrentWallpaper GSettingsDesktop::current() {
    const QMap<QString, QString> values = background();
    CurrentWallpaper now;
    // The places: the picture keys and the options, as "key=value;..." with
    // each value percent-encoded; none when one is missing, but for the dark
    // picture an older GNOME does not have.
    QStringList places;
    for (const QString& key : {layout_.pictureKey, layout_.darkPictureKey, kOptionsKey}) {
        if (values.contains(key)) {
            places << key + QLatin1Char('=') +
                          QString::fromLatin1(QUrl::toPercentEncoding(values.value(key)));
        } else if (key != layout_.darkPictureKey) {
            places.clear();
            break;
        }
    }
    now.places = places.join(QLatin1Char(';'));

    std::optional<QString> picture;
    if (!layout_.darkPictureKey.isEmpty() && !values.value(layout_.darkPictureKey).isEmpty() &&
        prefersDark()) {
        picture = values.value(layout_.darkPictureKey);
    } else if (values.contains(layout_.pictureKey)) {
        picture = values.value(layout_.pictureKey);
    }
    if (picture) {
        now.picture = originalOfShownCopy(pathFromSetting(*picture));
    }
    if (values.contains(kOptionsKey)) {
        const QString mode = values.value(kOptionsKey);
        now.tiled = isTileMode(mode, pictureOptions());
        // GNOME and Cinnamon draw their background in the window manager.
        now.mode = pictureModeFromGSettings(mode, layout_.name != QStringLiteral("mate"));
        // Mutter tiles only over a gradient: over a solid colour it wraps the
        // one tile once across the whole monitor (meta_background_get_texture).
        if (now.mode == PictureMode::TiledCentred && layout_.stretchesTilesOverSolid &&
            values.value(QStringLiteral("color-shading-type")) == QStringLiteral("solid")) {
            now.mode = PictureMode::TiledStretched;
        }
    }
    // GNOME, Cinnamon and MATE all name it so.
    if (values.contains(QStringLiteral("primary-color"))) {
        now.backgroundColor = values.value(QStringLiteral("primary-color"));
    }
    return now;
}

ApplyResult GSettingsDesktop::apply(const QString& path, bool tiled) {
    const CheckedPicture picture = checkPicture(path);
    if (!picture.error.isEmpty()) {
        return {false, picture.error};
    }
    if (!tools_.available(kGsettings)) {
        return {false, missingToolMessage(kGsettings)};
    }
    const ToolResult keys = tools_.run(kGsettings, {QStringLiteral("list-keys"), layout_.schema});
    if (!keys.ok()) {
        if (keys.finished && keys.err.contains(QStringLiteral("No such schema"))) {
            return {false,
                    tk::Text::tr("the settings schema %1 is not installed").arg(layout_.schema)};
        }
        return {false, keys.failure};
    }
    // gsettings writes through dconf over the session bus and exits 0 even
    // when nothing could be written, so the bus is checked first and every
    // value is read back afterwards.
    const SessionBus bus(context_.env, context_.toolTimeoutMs);
    if (!bus.connected()) {
        return {false, bus.error()};
    }

    QString error;
    const QString handed = pictureForPixbufDesktop(
        picture.path, pathFromSetting(get(layout_.schema, layout_.pictureKey).value_or(QString())),
        context_.env, &error);
    if (handed.isEmpty()) {
        return {false, error};
    }
    const QString value = layout_.pictureIsUri ? fileUriOf(handed) : handed;
    const QString mode =
        chooseMode(tiled, get(layout_.schema, kOptionsKey).value_or(QString()), pictureOptions());
    QList<QPair<QString, QString>> writes{{layout_.pictureKey, value}};
    const QStringList present = keys.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (!layout_.darkPictureKey.isEmpty() && present.contains(layout_.darkPictureKey)) {
        writes.append({layout_.darkPictureKey, value});
    }
    writes.append({kOptionsKey, mode});

    for (const auto& [key, text] : writes) {
        const ToolResult r = tools_.run(
            kGsettings, {QStringLiteral("set"), layout_.schema, key, gvariantString(text)});
        if (!r.ok()) {
            return {false, r.failure};
        }
    }
    for (const auto& [key, text] : writes) {
        QString failure;
        const std::optional<QString> stored = get(layout_.schema, key, &failure);
        if (!stored) {
            return {false, failure};
        }
        if (*stored != text) {
            return {false,
                    tk::Text::tr("the desktop did not keep the new setting (%1 %2 is still %3)")
                        .arg(layout_.schema, key, gvariantString(*stored))};
        }
    }
    return {true, {}};
}

DesktopBackend::PlacesResult GSettingsDesktop::restorePlaces(const PlacesRestore& request) {
    PlacesResult result;
    auto failed = [&result](const QString& why) {
        result.applied = {false, why};
        return result;
    };
    QList<QPair<QString, QString>> writes;
    bool anyPicture = false;
    QString options;
    for (const QString& part : request.saved.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString key = part.section(QLatin1Char('='), 0, 0);
        QString value = QUrl::fromPercentEncoding(part.section(QLatin1Char('='), 1).toLatin1());
        if (key == kOptionsKey) {
            options = value;
            continue;
        }
        if (key != layout_.pictureKey && key != layout_.darkPictureKey) {
            return failed(tk::Text::tr("the saved places name an unknown key %1").arg(key));
        }
        QString failure;
        const std::optional<QString> now = get(layout_.schema, key, &failure);
        if (!now) {
            return failed(failure);
        }
        const QString shownNow = pathFromSetting(*now);
        if (*now == value) {
            continue;  // still showing its own picture
        }
        if (!request.force && !request.ours(shownNow)) {
            result.leftAlone.append(
                QStringLiteral("%1 %2 (%3)").arg(layout_.schema, key, shownNow));
            continue;
        }
        if (!request.gone.isEmpty() && pathFromSetting(value) == request.gone) {
            value = layout_.pictureIsUri ? fileUriOf(request.replacement) : request.replacement;
        }
        writes.append({key, value});
        anyPicture = true;
        ++result.restored;
    }
    if (anyPicture && !options.isEmpty()) {
        writes.append({kOptionsKey, options});
    }
    const SessionBus bus(context_.env, context_.toolTimeoutMs);
    if (!writes.isEmpty() && !bus.connected()) {
        return failed(bus.error());
    }
    for (const auto& [key, text] : writes) {
        const ToolResult r = tools_.run(
            kGsettings, {QStringLiteral("set"), layout_.schema, key, gvariantString(text)});
        if (!r.ok()) {
            return failed(r.failure);
        }
        if (get(layout_.schema, key) != text) {
            return failed(tk::Text::tr("the desktop did not keep %1 %2").arg(layout_.schema, key));
        }
    }
    result.applied = {true, {}};
    return result;
}

}  // namespace desktop
