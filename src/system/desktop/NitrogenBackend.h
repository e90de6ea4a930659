#pragma once
// nitrogen on a bare X11 session: sets the root window and, with --save,
// keeps the picture and mode in nitrogen/bg-saved.cfg.

#include "system/desktop/ToolBackend.h"

namespace desktop {

class NitrogenBackend : public ToolBackend {
public:
    explicit NitrogenBackend(DesktopContext context);

    QString name() const override { return QStringLiteral("nitrogen"); }
    CurrentWallpaper current() override;

    QString savedFile() const;

private:
    struct State {
        QString
            mode;  // nitrogen's number: 0 scaled, 1 tiled, 2 centred, 3 zoom, 4 auto, 5 zoom-fill
        QString picture;
    };
    std::optional<State> state() const;
    ApplyResult applyChecked(const QString& picture, bool tiled) override;
};

}  // namespace desktop
