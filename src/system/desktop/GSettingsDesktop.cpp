#include "system/desktop/GSettingsDesktop.h"

#include "system/desktop/DesktopText.h"
#include "system/desktop/ImageLoaders.h"
#include "system/desktop/PictureModeNames.h"
#include "system/desktop/SessionBus.h"
#include "system/desktop/WallpaperFiles.h"

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
        *failure = QStringLiteral("gsettings gave no text for %1 %2").arg(schema, key);
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
                    QStringLiteral("the settings schema %1 is not installed").arg(layout_.schema)};
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
                    QStringLiteral("the desktop did not keep the new setting (%1 %2 is still %3)")
                        .arg(layout_.schema, key, gvariantString(*stored))};
        }
    }
    return {true, {}};
}

}  // namespace desktop
