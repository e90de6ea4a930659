#pragma once
// KDE Plasma: plasmashell's scripting interface over D-Bus sets and reads the
// picture of each desktop containment (one per screen and activity); with
// plasmashell away, the live setting is read from its appletsrc file.

#include <QJsonObject>

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/WallpaperPlaces.h"

namespace desktop {

class SessionBus;

class KdeBackend : public DesktopBackend {
public:
    explicit KdeBackend(DesktopContext context) : context_(std::move(context)) {}

    QString name() const override { return QStringLiteral("kde"); }
    QString missingFromSession() const override;
    CurrentWallpaper current() override;
    ApplyResult apply(const QString& path, bool tiled) override;
    PlacesResult restorePlaces(const PlacesRestore& request) override;

    // One desktop containment as the read-back script reports it.
    struct Desktop {
        qint64 id = -1;
        int screen = -1;
        QString plugin;    // org.kde.image, org.kde.tiled, org.kde.slideshow, ...
        QString image;     // the Image setting as stored (may be empty or a package)
        QString fillMode;  // the image plugin's FillMode as stored (may be empty)

        bool showsPicture() const;  // the image or the tiled plugin
        // The image plugin's FillMode, Plasma's default for none; empty for
        // other plugins.
        QString fillModeToWrite() const;
    };
    struct Shell {
        int major = 5;
        int minor = 0;
        QList<Desktop> desktops;  // the first screen first
        // Plasma 6.6 moved tiling from the image plugin to org.kde.tiled.
        bool tilesWithOwnPlugin() const { return major > 6 || (major == 6 && minor >= 6); }
    };
    // The read-back script's output; nullopt when it is not what the script prints.
    static std::optional<Shell> parseScriptOutput(const QString& output);

private:
    std::optional<Shell> askPlasma(const SessionBus& bus, QString* failure) const;
    // Runs the write script for `wanted` (see KdeBackend.cpp); why it failed, or empty.
    QString write(const SessionBus& bus, const QJsonObject& wanted) const;
    std::optional<Shell> fromAppletsrc() const;
    // What a desktop shows, as a plain path to a picture file; empty for a
    // plugin that shows no single picture (slideshow, plain colour, ...).
    QString pictureOf(const Desktop& d) const;
    // The desktops that show a picture, in order; the first is the one reported.
    QList<Desktop> pictureDesktops(const Shell& shell) const;

    DesktopContext context_;
    StartedPicture started_;
};

}  // namespace desktop
