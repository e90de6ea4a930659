#include "system/desktop/PictureModeNames.h"

#include <QHash>

namespace desktop {

namespace {
std::optional<PictureMode> lookUp(const QHash<QString, PictureMode>& names, const QString& name) {
    const auto it = names.constFind(name.trimmed());
    if (it == names.constEnd()) {
        return std::nullopt;
    }
    return *it;
}

std::optional<PictureMode> gsettingsOption(const QString& option) {
    static const QHash<QString, PictureMode> names{
        {QStringLiteral("none"), PictureMode::Centered},
        {QStringLiteral("wallpaper"), PictureMode::Tiled},
        {QStringLiteral("centered"), PictureMode::Centered},
        {QStringLiteral("scaled"), PictureMode::Scaled},
        {QStringLiteral("stretched"), PictureMode::Stretched},
        {QStringLiteral("zoom"), PictureMode::Zoom},
        {QStringLiteral("spanned"), PictureMode::Spanned},
    };
    return lookUp(names, option);
}
}  // namespace

std::optional<PictureMode> pictureModeFromGSettings(const QString& option, bool byMutter) {
    const std::optional<PictureMode> mode = gsettingsOption(option);
    if (byMutter && mode == PictureMode::Spanned) {
        return PictureMode::SpannedStretched;
    }
    if (byMutter && mode == PictureMode::Tiled) {
        return PictureMode::TiledCentred;
    }
    return mode;
}

std::optional<PictureMode> pictureModeFromXfceStyle(const QString& style) {
    static const QHash<QString, PictureMode> names{
        {QStringLiteral("0"), PictureMode::Centered}, {QStringLiteral("1"), PictureMode::Centered},
        {QStringLiteral("2"), PictureMode::Tiled},    {QStringLiteral("3"), PictureMode::Stretched},
        {QStringLiteral("4"), PictureMode::Scaled},   {QStringLiteral("5"), PictureMode::Zoom},
        {QStringLiteral("6"), PictureMode::Spanned},
    };
    return lookUp(names, style);
}

std::optional<PictureMode> pictureModeFromFeh(const QString& mode) {
    static const QHash<QString, PictureMode> names{
        {QStringLiteral("center"), PictureMode::Centered},
        {QStringLiteral("tile"), PictureMode::Tiled},
        {QStringLiteral("fill"), PictureMode::Zoom},
        {QStringLiteral("max"), PictureMode::Scaled},
        {QStringLiteral("scale"), PictureMode::Stretched},
    };
    return lookUp(names, mode);
}

std::optional<PictureMode> pictureModeFromNitrogen(const QString& mode) {
    // "auto" fits the picture inside the screen as "zoom" does.
    static const QHash<QString, PictureMode> names{
        {QStringLiteral("0"), PictureMode::Stretched}, {QStringLiteral("1"), PictureMode::Tiled},
        {QStringLiteral("2"), PictureMode::Centered},  {QStringLiteral("3"), PictureMode::Scaled},
        {QStringLiteral("4"), PictureMode::Scaled},    {QStringLiteral("5"), PictureMode::Zoom},
    };
    return lookUp(names, mode);
}

std::optional<PictureMode> pictureModeFromPcmanfm(const QString& mode) {
    static const QHash<QString, PictureMode> names{
        {QStringLiteral("tile"), PictureMode::Tiled},
        {QStringLiteral("stretch"), PictureMode::Stretched},
        {QStringLiteral("fit"), PictureMode::Scaled},
        {QStringLiteral("crop"), PictureMode::Zoom},
        {QStringLiteral("screen"), PictureMode::Spanned},
        {QStringLiteral("center"), PictureMode::Centered},
    };
    return lookUp(names, mode);
}

std::optional<PictureMode> pictureModeFromPcmanfmQt(const QString& mode) {
    static const QHash<QString, PictureMode> names{
        {QStringLiteral("tile"), PictureMode::Tiled},
        {QStringLiteral("stretch"), PictureMode::Stretched},
        {QStringLiteral("fit"), PictureMode::Scaled},
        {QStringLiteral("zoom"), PictureMode::Zoom},
        {QStringLiteral("center"), PictureMode::Centered},
    };
    return lookUp(names, mode);
}

std::optional<PictureMode> pictureModeFromSwaybg(const QString& mode) {
    static const QHash<QString, PictureMode> names{
        {QStringLiteral("tile"), PictureMode::Tiled},
        {QStringLiteral("stretch"), PictureMode::Stretched},
        {QStringLiteral("fit"), PictureMode::Scaled},
        {QStringLiteral("center"), PictureMode::Centered},
        {QStringLiteral("fill"), PictureMode::Zoom},
    };
    return lookUp(names, mode);
}

}  // namespace desktop
