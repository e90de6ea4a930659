#pragma once
// Xfce: the xfce4-desktop channel of xfconfd, spoken to over D-Bus. xfdesktop
// 4.18 and 4.20 read /backdrop/screen0/monitor<CONNECTOR>/workspace<N>/
// last-image and image-style, CONNECTOR being each RandR output's name and N
// the workspace shown (in single-workspace mode the one it names); keys of
// other names (monitor0 from older versions or desktop-base) are not read.

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/ToolRunner.h"
#include "system/desktop/WallpaperPlaces.h"

#include <QVariantMap>

namespace desktop {

class SessionBus;

class XfceBackend : public DesktopBackend {
public:
    explicit XfceBackend(DesktopContext context)
        : context_(std::move(context)), tools_(context_.env, context_.toolTimeoutMs) {}

    QString name() const override { return QStringLiteral("xfce"); }
    QString missingFromSession() const override;
    CurrentWallpaper current() override;
    ApplyResult apply(const QString& path, bool tiled) override;
    PlacesResult restorePlaces(const PlacesRestore& request) override;

private:
    // The channel's /backdrop properties; nullopt with `failure` set when
    // xfconfd cannot be asked.
    std::optional<QVariantMap> backdrop(const SessionBus& bus, QString* failure) const;
    struct Shown {
        QVariantMap props;
        // The last-image keys xfdesktop reads: the shown workspace's on each
        // output (the first output's alone when it spans them all), then
        // those of the outputs' other workspaces.
        QStringList imageKeys;
        QString failure;  // why there are none
    };
    // nullopt when xfconfd cannot be asked.
    std::optional<Shown> shown(const SessionBus& bus, QString* failure) const;

    DesktopContext context_;
    ToolRunner tools_;
    StartedPicture started_;
};

}  // namespace desktop
