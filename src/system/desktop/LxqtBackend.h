#pragma once
// LXQt: pcmanfm-qt draws the desktop. It is told with --set-wallpaper and
// --wallpaper-mode and keeps the picture in pcmanfm-qt/<profile>/settings.conf
// (the user's, else the system's profile).

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/ToolRunner.h"

namespace desktop {

class LxqtBackend : public DesktopBackend {
public:
    explicit LxqtBackend(DesktopContext context)
        : context_(std::move(context)), tools_(context_.env, context_.toolTimeoutMs) {}

    QString name() const override { return QStringLiteral("lxqt"); }
    std::optional<QString> liveWallpaper() override;
    std::optional<bool> liveTiled() override;
    std::optional<PictureMode> livePictureMode() override;
    ApplyResult apply(const QString& path, bool tiled) override;

private:
    struct State {
        QString picture;  // as pcmanfm-qt has it (may be a shown copy)
        QString mode;
    };
    QString profileDir(const QString& profile) const;
    std::optional<State> state() const;

    DesktopContext context_;
    ToolRunner tools_;
    std::optional<State> told_;  // the last copy shown and its mode
};

}  // namespace desktop
