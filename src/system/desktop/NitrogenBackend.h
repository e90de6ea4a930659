#pragma once
// nitrogen on a bare X11 session: sets the root window and, with --save,
// keeps the picture and mode in nitrogen/bg-saved.cfg.

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/ToolRunner.h"

namespace desktop {

class NitrogenBackend : public DesktopBackend {
public:
    explicit NitrogenBackend(DesktopContext context)
        : context_(std::move(context)), tools_(context_.env, context_.toolTimeoutMs) {}

    QString name() const override { return QStringLiteral("nitrogen"); }
    std::optional<QString> liveWallpaper() override;
    std::optional<bool> liveTiled() override;
    std::optional<PictureMode> livePictureMode() override;
    ApplyResult apply(const QString& path, bool tiled) override;

    QString savedFile() const;

private:
    struct State {
        QString
            mode;  // nitrogen's number: 0 scaled, 1 tiled, 2 centred, 3 zoom, 4 auto, 5 zoom-fill
        QString picture;
    };
    std::optional<State> state() const;

    DesktopContext context_;
    ToolRunner tools_;
};

}  // namespace desktop
