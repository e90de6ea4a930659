#pragma once
// LXDE: pcmanfm draws the desktop. It is told with --set-wallpaper and
// --wallpaper-mode and keeps both in pcmanfm/<profile>/desktop-items-0.conf.

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/ToolRunner.h"

namespace desktop {

class LxdeBackend : public DesktopBackend {
public:
    explicit LxdeBackend(DesktopContext context)
        : context_(std::move(context)), tools_(context_.env, context_.toolTimeoutMs) {}

    QString name() const override { return QStringLiteral("lxde"); }
    std::optional<QString> liveWallpaper() override;
    std::optional<bool> liveTiled() override;
    ApplyResult apply(const QString& path, bool tiled) override;

private:
    struct State {
        QString picture;
        QString mode;
    };
    std::optional<State> state() const;

    DesktopContext context_;
    ToolRunner tools_;
};

}  // namespace desktop
