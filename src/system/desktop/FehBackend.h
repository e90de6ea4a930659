#pragma once
// feh on a bare X11 session: sets the root window and keeps the command line
// that did it in ~/.fehbg, which is where the live setting is read.

#include "system/desktop/ToolBackend.h"

namespace desktop {

class FehBackend : public ToolBackend {
public:
    explicit FehBackend(DesktopContext context);

    QString name() const override { return QStringLiteral("feh"); }
    CurrentWallpaper current() override;

    struct State {
        QString mode;  // "tile", "center", "fill", "max", "scale"
        QString picture;
    };
    // What ~/.fehbg says, if it names a picture.
    std::optional<State> state() const;

private:
    ApplyResult applyChecked(const QString& picture, bool tiled) override;
};

// The mode and first picture of a ~/.fehbg text.
std::optional<FehBackend::State> parseFehbg(const QString& text);

}  // namespace desktop
