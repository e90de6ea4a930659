#pragma once
// sway: told over its IPC with swaymsg ("output NAME bg"); what each output
// shows is read from the command line of the swaybg it runs, since sway has
// no query for it, and the outputs from "swaymsg -t get_outputs". An output
// may be configured by its identifier instead of its name; swaybg prefers
// that config, so it is the one changed.

#include <QPoint>

#include "system/desktop/ToolBackend.h"
#include "system/desktop/WallpaperPlaces.h"

namespace desktop {

class SwayBackend : public ToolBackend {
public:
    explicit SwayBackend(DesktopContext context);

    QString name() const override { return QStringLiteral("sway"); }
    QString missingFromSession() const override;
    CurrentWallpaper current() override;
    PlacesResult restorePlaces(const PlacesRestore& request) override;

    struct Background {
        QString output;   // the output's name, or as swaybg was given it ("-o")
        QString picture;  // empty for a plain colour
        QString mode;
        QString config;  // the output config it comes from: the name, or the identifier
    };
    // The background of every output "swaybg" is given on `args` (its argv
    // without the program), in order.
    static QList<Background> parseSwaybgArgs(const QStringList& args);

private:
    // What each output shows, the outputs in sway's order; "*" alone when the
    // outputs cannot be listed.
    QList<Background> shown() const;
    QList<Background> swaybgBackgrounds() const;
    struct Output {
        QString name;  // "HDMI-A-1"
        // "Dell Inc. DELL U2415 7MT0186L0LTL" (make model serial); empty
        // where swaybg cannot tell it (virtual outputs)
        QString identifier;
        QPoint at;  // its place in the layout
    };
    QList<Output> outputs() const;
    // Has sway show each target's picture and mode through its config, and
    // waits until swaybg does; empty on success, else why not.
    QString show(const QList<Background>& targets) const;

    ApplyResult applyChecked(const QString& picture, bool tiled) override;

    StartedPicture started_;
};

}  // namespace desktop
