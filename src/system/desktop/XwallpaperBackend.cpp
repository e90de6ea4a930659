#include "system/desktop/XwallpaperBackend.h"

#include "system/desktop/WallpaperFiles.h"

namespace desktop {

ApplyResult XwallpaperBackend::applyChecked(const QString& picture, bool tiled) {
    QString error;
    const QString png =
        makeShownCopy(picture, {}, CopyFormat::Png, &error, context_.env.ownDataDir());
    if (png.isEmpty()) {
        return {false, error};
    }
    // Without a stored setting to read back, its exit status is the only word.
    const ToolResult r =
        runTool({tiled ? QStringLiteral("--tile") : QStringLiteral("--center"), png});
    if (!r.ok()) {
        return {false, r.failure};
    }
    return {true, {}};
}

}  // namespace desktop
