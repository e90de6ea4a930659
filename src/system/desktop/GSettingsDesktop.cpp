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

std::optional<QString> GSettingsDesktop::liveWallpaper() {
    std::optional<QString> picture;
    if (!layout_.darkPictureKey.isEmpty() && prefersDark()) {
        picture = get(layout_.schema, layout_.darkPictureKey);
        if (picture && picture->isEmpty()) {
            picture.reset();
        }
    }
    if (!picture) {
        picture = get(layout_.schema, layout_.pictureKey);
    }
    if (!picture) {
        return std::nullopt;
    }
    return originalOfShownCopy(pathFromSetting(*picture));
}

std::optional<bool> GSettingsDesktop::liveTiled() {
    const std::optional<QString> mode = get(layout_.schema, kOptionsKey);
    if (!mode) {
        return std::nullopt;
    }
    return isTileMode(*mode, pictureOptions());
}

std::optional<PictureMode> GSettingsDesktop::livePictureMode() {
    const std::optional<QString> mode = get(layout_.schema, kOptionsKey);
    // GNOME and Cinnamon draw their background in the window manager.
    return mode ? pictureModeFromGSettings(*mode, layout_.name != QStringLiteral("mate"))
                : std::nullopt;
}

std::optional<QString> GSettingsDesktop::liveBackgroundColor() {
    // GNOME, Cinnamon and MATE all name it so.
    return get(layout_.schema, QStringLiteral("primary-color"));
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

// The picture keys and the options, as "key=value;..." with each value
// percent-encoded.
QString GSettingsDesktop::savePlaces() {
    QStringList keys{layout_.pictureKey};
    if (!layout_.darkPictureKey.isEmpty()) {
        keys << layout_.darkPictureKey;
    }
    keys << kOptionsKey;
    QStringList parts;
    for (const QString& key : keys) {
        const std::optional<QString> value = get(layout_.schema, key);
        if (!value) {
            if (key == layout_.darkPictureKey) {
                continue;  // an older GNOME without the dark picture
            }
            return {};
        }
        parts << key + QLatin1Char('=') + QString::fromLatin1(QUrl::toPercentEncoding(*value));
    }
    return parts.join(QLatin1Char(';'));
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
