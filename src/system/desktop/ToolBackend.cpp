#include "system/desktop/ToolBackend.h"

#include "system/desktop/WallpaperFiles.h"
#include "toolkit/Translations.h"

namespace desktop {

ToolBackend::ToolBackend(DesktopContext context, ToolNeeds needs)
    : context_(std::move(context)),
      tools_(context_.env, context_.toolTimeoutMs),
      needs_(std::move(needs)) {}

QString ToolBackend::missingFromSession() const {
    const bool x11 = context_.env.has(QStringLiteral("DISPLAY"));
    switch (needs_.display) {
        case ToolNeeds::Display::X11:
            return x11 ? QString() : tk::Text::tr("no X display (DISPLAY is not set)");
        case ToolNeeds::Display::X11OrWayland:
            return x11 || context_.env.has(QStringLiteral("WAYLAND_DISPLAY"))
                       ? QString()
                       : tk::Text::tr("no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
        case ToolNeeds::Display::Own:
            break;
    }
    return {};
}

ApplyResult ToolBackend::apply(const QString& path, bool tiled) {
    CheckedPicture picture = checkPicture(path);
    if (picture.error.isEmpty() && needs_.display == ToolNeeds::Display::X11) {
        picture.error = missingFromSession();
    }
    if (!needs_.keeper.isEmpty()) {
        picture = refuseLineBreak(picture, needs_.keeper);
    }
    if (!picture.error.isEmpty()) {
        return {false, picture.error};
    }
    if (!tools_.available(needs_.tool)) {
        return {false, missingToolMessage(needs_.tool)};
    }
    return applyChecked(picture.path, tiled);
}

}  // namespace desktop
