#pragma once
// Hyprland with hyprpaper, driven through "hyprctl hyprpaper". hyprpaper cannot
// load bitmaps and keeps showing a path it has loaded, so it gets alternating
// PNG copies of the picture.

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/ToolRunner.h"

namespace desktop {

class HyprlandBackend : public DesktopBackend {
public:
    explicit HyprlandBackend(DesktopContext context)
        : context_(std::move(context)), tools_(context_.env, context_.toolTimeoutMs) {}

    QString name() const override { return QStringLiteral("hyprland"); }
    std::optional<QString> liveWallpaper() override;
    std::optional<bool> liveTiled() override;
    ApplyResult apply(const QString& path, bool tiled) override;

    struct Active {
        QString monitor;
        QString picture;  // as hyprpaper has it (may be a shown copy)
        QString mode;     // "cover" (no prefix), "contain" or "tile"
    };
    // "hyprctl hyprpaper listactive": one "monitor = [mode:]path" per line.
    static QList<Active> parseListActive(const QString& output);

private:
    std::optional<QList<Active>> active(QString* failure) const;
    QString hyprpaper(const QStringList& args) const;  // empty when hyprpaper said ok

    DesktopContext context_;
    ToolRunner tools_;
};

}  // namespace desktop
