#include "system/desktop/XfceBackend.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QRegularExpression>

#include "system/desktop/DesktopText.h"
#include "system/desktop/ImageLoaders.h"
#include "system/desktop/PictureModeNames.h"
#include "system/desktop/SessionBus.h"
#include "system/desktop/WallpaperFiles.h"
#include "system/desktop/X11Screen.h"
#include "toolkit/Translations.h"

namespace desktop {

namespace {
const QString kService = QStringLiteral("org.xfce.Xfconf");
const QString kPath = QStringLiteral("/org/xfce/Xfconf");
const QString kInterface = QStringLiteral("org.xfce.Xfconf");
const QString kChannel = QStringLiteral("xfce4-desktop");
const QString kLastImage = QStringLiteral("/last-image");
const QString kImageStyle = QStringLiteral("/image-style");
const QString kSingleMode = QStringLiteral("/backdrop/single-workspace-mode");
const QString kSingleNumber = QStringLiteral("/backdrop/single-workspace-number");
// xfdesktop draws an image-style it finds unset as zoomed.
const QString kDefaultStyle = QStringLiteral("5");
const QString kSpanning = QStringLiteral("6");

// image-style: 0 none, 1 centred, 2 tiled, 3 stretched, 4 scaled, 5 zoomed, 6 spanning
const ModeNames& imageStyles() {
    static const ModeNames names{
        QStringLiteral("2"), QStringLiteral("1"), {}, {QStringLiteral("0")}};
    return names;
}

QString styleKeyOf(const QString& imageKey) {
    return imageKey.left(imageKey.size() - kLastImage.size()) + kImageStyle;
}

QString imageKeyOf(const QString& output, int workspace) {
    return QStringLiteral("/backdrop/screen0/monitor%1/workspace%2").arg(output).arg(workspace) +
           kLastImage;
}

QString styleOf(const QVariantMap& props, const QString& imageKey) {
    const QString styleKey = styleKeyOf(imageKey);
    return props.contains(styleKey) ? props.value(styleKey).toString() : kDefaultStyle;
}

// Every last-image key the channel holds, whether xfdesktop reads it now or
// not: what a restore may give back.
QStringList storedImageKeys(const QVariantMap& props) {
    QStringList keys;
    for (auto it = props.cbegin(); it != props.cend(); ++it) {
        if (it.key().endsWith(kLastImage)) {
            keys << it.key();
        }
    }
    keys.sort();
    return keys;
}

QString setProperty(const SessionBus& bus, const QString& property, const QVariant& value) {
    QDBusMessage m =
        QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("SetProperty"));
    m << kChannel << property << QVariant::fromValue(QDBusVariant(value));
    QString failure;
    bus.call(m, &failure);
    return failure;
}
}  // namespace

std::optional<QVariantMap> XfceBackend::backdrop(const SessionBus& bus, QString* failure) const {
    if (!bus.connected()) {
        *failure = bus.error();
        return std::nullopt;
    }
    QDBusMessage m = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                    QStringLiteral("GetAllProperties"));
    m << kChannel << QStringLiteral("/backdrop");
    const QDBusMessage reply = bus.call(m, failure);
    // A channel xfdesktop never filled has no /backdrop yet.
    if (reply.errorName() == QStringLiteral("org.xfce.Xfconf.Error.PropertyNotFound") ||
        reply.errorName() == QStringLiteral("org.xfce.Xfconf.Error.ChannelNotFound")) {
        failure->clear();
        return QVariantMap();
    }
    if (!failure->isEmpty()) {
        *failure = tk::Text::tr("xfconfd cannot be asked: ") + *failure;
        return std::nullopt;
    }
    if (reply.arguments().isEmpty()) {
        *failure = tk::Text::tr("xfconfd gave no answer");
        return std::nullopt;
    }
    return qdbus_cast<QVariantMap>(reply.arguments().first());
}

std::optional<XfceBackend::Shown> XfceBackend::shown(const SessionBus& bus,
                                                     QString* failure) const {
    std::optional<QVariantMap> props = backdrop(bus, failure);
    if (!props) {
        return std::nullopt;
    }
    Shown s{std::move(*props), {}, {}};
    const X11Outputs outputs = randrOutputs(context_.env, tools_);
    if (!outputs.failure.isEmpty()) {
        s.failure = tk::Text::tr("xfdesktop's monitors are not known: ") + outputs.failure;
        return s;
    }
    // xfdesktop-backdrop-manager.c, build_property_prefix.
    const bool single = s.props.value(kSingleMode).toBool();
    const int workspace =
        single ? s.props.value(kSingleNumber).toInt() : currentX11Workspace(context_.env, tools_);
    QStringList names = outputs.names;
    if (styleOf(s.props, imageKeyOf(names.first(), workspace)) == kSpanning) {
        names = names.mid(0, 1);
    }
    for (const QString& name : names) {
        s.imageKeys << imageKeyOf(name, workspace);
    }
    if (!single) {
        for (const QString& name : names) {
            const QRegularExpression other(
                QStringLiteral("^/backdrop/screen0/monitor%1/workspace\\d+%2$")
                    .arg(QRegularExpression::escape(name), kLastImage));
            for (auto it = s.props.cbegin(); it != s.props.cend(); ++it) {
                if (other.match(it.key()).hasMatch() && !s.imageKeys.contains(it.key())) {
                    s.imageKeys << it.key();
                }
            }
        }
    }
    return s;
}

QString XfceBackend::missingFromSession() const {
    return SessionBus::missingFrom(context_.env);
}

CurrentWallpaper XfceBackend::current() {
    const SessionBus bus(context_.env, context_.toolTimeoutMs);
    QString failure;
    const std::optional<Shown> s = shown(bus, &failure);
    if (!s) {
        return {};
    }
    CurrentWallpaper now;
    QList<SavedPlace> places;
    for (const QString& key : storedImageKeys(s->props)) {
        places.append(
            {key, s->props.value(key).toString(), s->props.value(styleKeyOf(key)).toString(), {}});
    }
    now.places = savedPlacesText(places);
    if (s->imageKeys.isEmpty()) {
        return now;
    }
    const QString key = s->imageKeys.first();
    now.picture = originalOfShownCopy(pathFromSetting(s->props.value(key).toString()));
    started_.remember(*now.picture);
    now.tiled = s->props.contains(key) && isTileMode(styleOf(s->props, key), imageStyles());
    if (s->props.contains(key)) {
        now.mode = pictureModeFromXfceStyle(styleOf(s->props, key));
    }
    return now;
}

ApplyResult XfceBackend::apply(const QString& path, bool tiled) {
    const CheckedPicture picture = checkPicture(path);
    if (!picture.error.isEmpty()) {
        return {false, picture.error};
    }
    const SessionBus bus(context_.env, context_.toolTimeoutMs);
    QString failure;
    const std::optional<Shown> before = shown(bus, &failure);
    if (!before) {
        return {false, failure};
    }
    if (before->imageKeys.isEmpty()) {
        return {false, before->failure};
    }
    // Each monitor and workspace keeps its own picture: only those showing the
    // picture the placement started from get the new one.
    QList<QString> pictures;
    for (const QString& key : before->imageKeys) {
        pictures << pathFromSetting(before->props.value(key).toString());
    }
    QStringList keys;
    for (const qsizetype i : started_.placesToChange(pictures)) {
        keys << before->imageKeys.at(i);
    }
    QString error;
    const QString handed = pictureForPixbufDesktop(
        picture.path, pictures.value(before->imageKeys.indexOf(keys.first())), context_.env,
        &error);
    if (handed.isEmpty()) {
        return {false, error};
    }
    QMap<QString, int> styles;
    for (const QString& key : keys) {
        styles.insert(styleKeyOf(key),
                      chooseMode(tiled, styleOf(before->props, key), imageStyles()).toInt());
    }
    for (const QString& key : keys) {
        // xfdesktop only reloads a picture when last-image changes.
        for (const QString& value : {QString(), handed}) {
            failure = setProperty(bus, key, value);
            if (!failure.isEmpty()) {
                return {false, tk::Text::tr("xfconfd refused %1: %2").arg(key, failure)};
            }
        }
        const QString styleKey = styleKeyOf(key);
        failure = setProperty(bus, styleKey, styles.value(styleKey));
        if (!failure.isEmpty()) {
            return {false, tk::Text::tr("xfconfd refused %1: %2").arg(styleKey, failure)};
        }
    }

    const std::optional<QVariantMap> after = backdrop(bus, &failure);
    if (!after) {
        return {false, failure};
    }
    for (const QString& key : keys) {
        const QString styleKey = styleKeyOf(key);
        if (after->value(key).toString() != handed ||
            after->value(styleKey).toInt() != styles.value(styleKey)) {
            return {false, tk::Text::tr("the desktop did not keep the new setting (%1 is \"%2\")")
                               .arg(key, after->value(key).toString())};
        }
    }
    started_.remember(picture.path);
    return {true, {}};
}

// Each monitor's and workspace's picture and style, by its last-image key.
DesktopBackend::PlacesResult XfceBackend::restorePlaces(const PlacesRestore& request) {
    PlacesResult result;
    const SessionBus bus(context_.env, context_.toolTimeoutMs);
    QString failure;
    const std::optional<QVariantMap> now = backdrop(bus, &failure);
    if (!now) {
        result.applied = {false, failure};
        return result;
    }
    for (const SavedPlace& place : parseSavedPlaces(request.saved)) {
        const QString& key = place.place;
        QString picture = place.picture;
        const QString& style = place.mode;
        const QString shownNow = pathFromSetting(now->value(key).toString());
        if (!key.endsWith(kLastImage) || shownNow == picture) {
            continue;  // not ours to set, or showing its own picture still
        }
        if (!request.force && !request.ours(shownNow)) {
            result.leftAlone << tk::Text::tr("Xfce %1 (%2)").arg(key, shownNow);
            continue;
        }
        if (!request.gone.isEmpty() && picture == request.gone) {
            picture = request.replacement;
        }
        // xfdesktop only reloads a picture when last-image changes.
        failure = setProperty(bus, key, QString());
        if (failure.isEmpty()) {
            failure = setProperty(bus, key, picture);
        }
        if (failure.isEmpty() && !style.isEmpty()) {
            failure = setProperty(bus, styleKeyOf(key), style.toInt());
        }
        if (!failure.isEmpty()) {
            result.applied = {false, tk::Text::tr("xfconfd refused %1: %2").arg(key, failure)};
            return result;
        }
        ++result.restored;
    }
    result.applied = {true, {}};
    return result;
}

}  // namespace desktop
