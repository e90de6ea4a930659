#include "system/desktop/XwallpaperBackend.h"

#include "system/desktop/WallpaperFiles.h"

namespace desktop {

ApplyResult XwallpaperBackend::apply(const QString& path, bool tiled) {
    const CheckedPicture picture = checkPictureForX11(path, context_.env);
    if (!picture.error.isEmpty()) {
        return {false, picture.error};
    }
    const QString program = QStringLiteral("xwallpaper");
    if (!tools_.available(program)) {
        return {false, missingToolMessage(program)};
    }
    QString error;
    const QString png =
        makeShownCopy(picture.path, {}, CopyFormat::Png, &error, context_.env.ownDataDir());
    if (png.isEmpty()) {
        return {false, error};
    }
    // Without a stored setting to read back, its exit status is the only word.
    const ToolResult r =
        tools_.run(program, {tiled ? QStringLiteral("--tile") : QStringLiteral("--center"), png});
    if (!r.ok()) {
        return {false, r.failure};
    }
    return {true, {}};
}

}  // namespace desktop
