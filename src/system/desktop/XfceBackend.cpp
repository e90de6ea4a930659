#include "system/desktop/XfceBackend.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QUrl>

#include "system/desktop/DesktopText.h"
#include "system/desktop/PictureModeNames.h"
#include "system/desktop/SessionBus.h"
#include "system/desktop/WallpaperFiles.h"

namespace desktop {

namespace {
const QString kService = QStringLiteral("org.xfce.Xfconf");
const QString kPath = QStringLiteral("/org/xfce/Xfconf");
const QString kInterface = QStringLiteral("org.xfce.Xfconf");
const QString kChannel = QStringLiteral("xfce4-desktop");
const QString kLastImage = QStringLiteral("/last-image");
const QString kImageStyle = QStringLiteral("/image-style");
// Used when xfdesktop has never run and the channel has no monitor yet.
const QString kFirstMonitorImage =
    QStringLiteral("/backdrop/screen0/monitor0/workspace0/last-image");

// image-style: 0 none, 1 centred, 2 tiled, 3 stretched, 4 scaled, 5 zoomed, 6 spanning
const ModeNames& imageStyles() {
    static const ModeNames names{
        QStringLiteral("2"), QStringLiteral("1"), {}, {QStringLiteral("0")}};
    return names;
}

QString styleKeyOf(const QString& imageKey) {
    return imageKey.left(imageKey.size() - kLastImage.size()) + kImageStyle;
}

QStringList imageKeys(const QVariantMap& props) {
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
        *failure = QStringLiteral("xfconfd cannot be asked: ") + *failure;
        return std::nullopt;
    }
    if (reply.arguments().isEmpty()) {
        *failure = QStringLiteral("xfconfd gave no answer");
        return std::nullopt;
    }
    return qdbus_cast<QVariantMap>(reply.arguments().first());
}

std::optional<QString> XfceBackend::shownImageKey(const QVariantMap& props) const {
    const QStringList keys = imageKeys(props);
    for (const QString& key : keys) {
        if (key.contains(QStringLiteral("/workspace0/"))) {
            return key;
        }
    }
    if (keys.isEmpty()) {
        return std::nullopt;
    }
    return keys.first();
}

std::optional<XfceBackend::Shown> XfceBackend::shown() const {
    const SessionBus bus(context_.env, context_.toolTimeoutMs);
    QString failure;
    std::optional<QVariantMap> props = backdrop(bus, &failure);
    if (!props) {
        return std::nullopt;
    }
    const std::optional<QString> key = shownImageKey(*props);
    return Shown{std::move(*props), key};
}

std::optional<QString> XfceBackend::liveWallpaper() {
    const std::optional<Shown> s = shown();
    if (!s) {
        return std::nullopt;
    }
    const QString picture =
        s->imageKey ? pathFromSetting(s->props.value(*s->imageKey).toString()) : QString();
    started_.remember(picture);
    return picture;
}

std::optional<bool> XfceBackend::liveTiled() {
    const std::optional<Shown> s = shown();
    if (!s) {
        return std::nullopt;
    }
    return s->imageKey &&
           isTileMode(s->props.value(styleKeyOf(*s->imageKey)).toString(), imageStyles());
}

std::optional<PictureMode> XfceBackend::livePictureMode() {
    const std::optional<Shown> s = shown();
    if (!s || !s->imageKey) {
        return std::nullopt;
    }
    return pictureModeFromXfceStyle(s->props.value(styleKeyOf(*s->imageKey)).toString());
}

ApplyResult XfceBackend::apply(const QString& path, bool tiled) {
    const CheckedPicture picture = checkPicture(path);
    if (!picture.error.isEmpty()) {
        return {false, picture.error};
    }
    const SessionBus bus(context_.env, context_.toolTimeoutMs);
    QString failure;
    const std::optional<QVariantMap> before = backdrop(bus, &failure);
    if (!before) {
        return {false, failure};
    }
    // Each monitor and workspace keeps its own picture: only those showing the
    // picture the placement started from get the new one (xfdesktop reads
    // .../monitorNAME/workspaceN/last-image for each of them).
    QStringList keys = imageKeys(*before);
    if (keys.isEmpty()) {
        keys << kFirstMonitorImage;
    } else {
        const std::optional<QString> first = shownImageKey(*before);
        keys.move(keys.indexOf(*first), 0);
        QList<QString> shown;
        for (const QString& key : keys) {
            shown << pathFromSetting(before->value(key).toString());
        }
        QStringList chosen;
        for (const qsizetype i : started_.placesToChange(shown)) {
            chosen << keys.at(i);
        }
        keys = chosen;
    }
    QMap<QString, int> styles;
    for (const QString& key : keys) {
        const QString styleKey = styleKeyOf(key);
        const QString current =
            before->contains(styleKey) ? before->value(styleKey).toString() : QString();
        styles.insert(styleKey, chooseMode(tiled, current, imageStyles()).toInt());
    }
    for (const QString& key : keys) {
        // xfdesktop only reloads a picture when last-image changes.
        for (const QString& value : {QString(), picture.path}) {
            failure = setProperty(bus, key, value);
            if (!failure.isEmpty()) {
                return {false, QStringLiteral("xfconfd refused %1: %2").arg(key, failure)};
            }
        }
        const QString styleKey = styleKeyOf(key);
        failure = setProperty(bus, styleKey, styles.value(styleKey));
        if (!failure.isEmpty()) {
            return {false, QStringLiteral("xfconfd refused %1: %2").arg(styleKey, failure)};
        }
    }

    const std::optional<QVariantMap> after = backdrop(bus, &failure);
    if (!after) {
        return {false, failure};
    }
    for (const QString& key : keys) {
        const QString styleKey = styleKeyOf(key);
        if (after->value(key).toString() != picture.path ||
            after->value(styleKey).toInt() != styles.value(styleKey)) {
            return {false, QStringLiteral("the desktop did not keep the new setting (%1 is \"%2\")")
                               .arg(key, after->value(key).toString())};
        }
    }
    started_.remember(picture.path);
    return {true, {}};
}

// Each monitor's and workspace's picture and style, as
// "key=picture,style;..." with the key and the picture percent-encoded.
QString XfceBackend::savePlaces() {
    const SessionBus bus(context_.env, context_.toolTimeoutMs);
    QString failure;
    const std::optional<QVariantMap> props = backdrop(bus, &failure);
    if (!props) {
        return {};
    }
    QStringList parts;
    for (const QString& key : imageKeys(*props)) {
        parts << QStringLiteral("%1=%2,%3")
                     .arg(
                         QString::fromLatin1(QUrl::toPercentEncoding(key)),
                         QString::fromLatin1(QUrl::toPercentEncoding(props->value(key).toString())),
                         props->value(styleKeyOf(key)).toString());
    }
    return parts.join(QLatin1Char(';'));
}

DesktopBackend::PlacesResult XfceBackend::restorePlaces(const PlacesRestore& request) {
    PlacesResult result;
    const SessionBus bus(context_.env, context_.toolTimeoutMs);
    QString failure;
    const std::optional<QVariantMap> now = backdrop(bus, &failure);
    if (!now) {
        result.applied = {false, failure};
        return result;
    }
    for (const QString& part : request.saved.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString key =
            QUrl::fromPercentEncoding(part.section(QLatin1Char('='), 0, 0).toLatin1());
        const QString value = part.section(QLatin1Char('='), 1);
        QString picture =
            QUrl::fromPercentEncoding(value.section(QLatin1Char(','), 0, 0).toLatin1());
        const QString style = value.section(QLatin1Char(','), 1);
        const QString shownNow = pathFromSetting(now->value(key).toString());
        if (!key.endsWith(kLastImage) || shownNow == picture) {
            continue;  // not ours to set, or showing its own picture still
        }
        if (!request.force && !request.ours(shownNow)) {
            result.leftAlone << QStringLiteral("Xfce %1 (%2)").arg(key, shownNow);
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
            result.applied = {false, QStringLiteral("xfconfd refused %1: %2").arg(key, failure)};
            return result;
        }
        ++result.restored;
    }
    result.applied = {true, {}};
    return result;
}

}  // namespace desktop
