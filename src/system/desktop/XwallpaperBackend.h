#pragma once
// xwallpaper on a bare X11 session. It cannot load bitmaps, so it gets a PNG
// copy, and it keeps no setting of its own: the live values stay the hive's.

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/ToolRunner.h"

namespace desktop {

class XwallpaperBackend : public DesktopBackend {
public:
    explicit XwallpaperBackend(DesktopContext context)
        : context_(std::move(context)), tools_(context_.env, context_.toolTimeoutMs) {}

    QString name() const override { return QStringLiteral("xwallpaper"); }
    std::optional<QString> liveWallpaper() override { return std::nullopt; }
    std::optional<bool> liveTiled() override { return std::nullopt; }
    ApplyResult apply(const QString& path, bool tiled) override;

private:
    DesktopContext context_;
    ToolRunner tools_;
};

}  // namespace desktop
