#pragma once
// feh on a bare X11 session: sets the root window and keeps the command line
// that did it in ~/.fehbg, which is where the live setting is read.

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/ToolRunner.h"

namespace desktop {

class FehBackend : public DesktopBackend {
public:
    explicit FehBackend(DesktopContext context)
        : context_(std::move(context)), tools_(context_.env, context_.toolTimeoutMs) {}

    QString name() const override { return QStringLiteral("feh"); }
    std::optional<QString> liveWallpaper() override;
    std::optional<bool> liveTiled() override;
    std::optional<PictureMode> livePictureMode() override;
    ApplyResult apply(const QString& path, bool tiled) override;

    struct State {
        QString mode;  // "tile", "center", "fill", "max", "scale"
        QString picture;
    };
    // What ~/.fehbg says, if it names a picture.
    std::optional<State> state() const;

private:
    DesktopContext context_;
    ToolRunner tools_;
};

// The mode and first picture of a ~/.fehbg text.
std::optional<FehBackend::State> parseFehbg(const QString& text);

}  // namespace desktop
