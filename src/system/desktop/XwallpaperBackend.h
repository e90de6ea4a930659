#pragma once
// xwallpaper on a bare X11 session. It cannot load bitmaps, so it gets a PNG
// copy, and it keeps no setting of its own: the live values stay the hive's.

#include "system/desktop/ToolBackend.h"

namespace desktop {

class XwallpaperBackend : public ToolBackend {
public:
    explicit XwallpaperBackend(DesktopContext context)
        : ToolBackend(std::move(context),
                      {QStringLiteral("xwallpaper"), {}, ToolNeeds::Display::X11}) {}

    QString name() const override { return QStringLiteral("xwallpaper"); }

private:
    ApplyResult applyChecked(const QString& picture, bool tiled) override;
};

}  // namespace desktop
