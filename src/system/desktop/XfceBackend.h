#pragma once
// Xfce: the xfce4-desktop channel of xfconfd, spoken to over D-Bus. Every
// monitor and workspace has its own last-image and image-style.

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/WallpaperPlaces.h"

#include <QVariantMap>

namespace desktop {

class SessionBus;

class XfceBackend : public DesktopBackend {
public:
    explicit XfceBackend(DesktopContext context) : context_(std::move(context)) {}

    QString name() const override { return QStringLiteral("xfce"); }
    std::optional<QString> liveWallpaper() override;
    std::optional<bool> liveTiled() override;
    std::optional<PictureMode> livePictureMode() override;
    ApplyResult apply(const QString& path, bool tiled) override;
    QString savePlaces() override;
    PlacesResult restorePlaces(const PlacesRestore& request) override;

private:
    // The channel's /backdrop properties; nullopt with `failure` set when
    // xfconfd cannot be asked.
    std::optional<QVariantMap> backdrop(const SessionBus& bus, QString* failure) const;
    std::optional<QString> shownImageKey(const QVariantMap& props) const;
    struct Shown {
        QVariantMap props;
        std::optional<QString> imageKey;  // nullopt when no image is set
    };
    // The backdrop properties and the key of the image shown; nullopt when
    // xfconfd cannot be asked.
    std::optional<Shown> shown() const;

    DesktopContext context_;
    StartedPicture started_;
};

}  // namespace desktop
