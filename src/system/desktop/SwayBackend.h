#pragma once
// sway: told over its IPC with swaymsg ("output * bg"); what it shows is read
// from the command line of the swaybg it runs, since sway has no query for it.

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/ToolRunner.h"

namespace desktop {

class SwayBackend : public DesktopBackend {
public:
    explicit SwayBackend(DesktopContext context)
        : context_(std::move(context)), tools_(context_.env, context_.toolTimeoutMs) {}

    QString name() const override { return QStringLiteral("sway"); }
    std::optional<QString> liveWallpaper() override;
    std::optional<bool> liveTiled() override;
    ApplyResult apply(const QString& path, bool tiled) override;

    struct Background {
        QString output;
        QString picture;
        QString mode;
    };
    // The background of every output "swaybg" is given on `args` (its argv
    // without the program), "*" first.
    static QList<Background> parseSwaybgArgs(const QStringList& args);

private:
    std::optional<Background> shown() const;

    DesktopContext context_;
    ToolRunner tools_;
};

}  // namespace desktop
