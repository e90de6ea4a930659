#pragma once
// Hyprland with hyprpaper, driven through "hyprctl hyprpaper". Three
// generations answer there, told apart by what "listactive" says:
// - hyprpaper up to 0.7 (preload, wallpaper, unload, listactive over a text
//   socket): "MONITOR = PATH" lines, or "no wallpapers active";
// - hyprpaper 0.8 over hyprwire with hyprctl 0.53 ("Unknown hyprpaper
//   request") or with hyprpaper 0.8.0-0.8.3 ("protocol version too low"):
//   only "wallpaper MONITOR,PATH,FIT", nothing to read back;
// - hyprctl 0.54 and later with hyprpaper 0.8.4 and later: "MONITOR: PATH"
//   lines, the fit mode not told.
// Which one runs is asked each time. hyprpaper keeps showing a path it has
// loaded, so it gets alternating PNG copies of the picture; hyprctl splits
// its request at every comma, so a copy whose path has one is made in our
// own data folder under a name without.

#include <QMap>

#include "system/desktop/ToolBackend.h"
#include "system/desktop/WallpaperPlaces.h"

namespace desktop {

class HyprlandBackend : public ToolBackend {
public:
    explicit HyprlandBackend(DesktopContext context);

    QString name() const override { return QStringLiteral("hyprland"); }
    QString missingFromSession() const override;
    CurrentWallpaper current() override;
    PlacesResult restorePlaces(const PlacesRestore& request) override;

    struct Active {
        QString monitor;  // empty: every monitor without a picture of its own
        QString picture;  // as hyprpaper has it (may be a shown copy)
        QString mode;     // "cover", "contain", "tile" or "fill" (stretched)
    };
    // "listactive": 0.7's "monitor = path" lines (modes stripped) or 0.8.4's
    // "monitor: path" lines.
    static QList<Active> parseListActive(const QString& output);
    // hyprpaper.conf: "wallpaper = MONITOR,[mode:]PATH" lines (up to 0.7) and
    // "wallpaper { monitor = .. path = .. fit_mode = .. }" blocks (0.8).
    static QList<Active> parseConfig(const QString& text);

    enum class Generation { Socket07, Wire08, Wire084 };

    struct Monitor {
        QString name;         // "DP-1"
        QString description;  // "Dell Inc. DELL U2415 7MT0186L0LTL"
    };
    // What hyprpaper shows on `monitor` after `config`: its own entry (by
    // name or a "desc:" prefix of its description) before the wildcard
    // ("*" or empty); nullopt when none applies.
    static std::optional<Active> configuredFor(const Monitor& monitor, const QList<Active>& config);

private:
    struct Shown {
        Generation generation;
        QList<Active> monitors;  // one per monitor, in Hyprland's order
    };
    std::optional<Shown> shown(QString* failure) const;
    QList<Active> configured() const;
    QList<Monitor> monitors() const;
    QString run(const QStringList& args, Generation generation) const;  // empty on success
    // Has hyprpaper show each target's picture with its mode on its monitor,
    // after `before`, and reads that back where hyprpaper tells it; empty on
    // success, else why not.
    QString show(const QList<Active>& targets, const Shown& before);
    static bool samePicture(const QString& a, const QString& b);
    static bool isWildcard(const QString& monitor);  // "*" or empty

    ApplyResult applyChecked(const QString& picture, bool tiled) override;

    StartedPicture started_;
    // What this program told hyprpaper, per monitor: 0.8 cannot be asked, and
    // 0.7 does not tell the mode.
    QMap<QString, Active> told_;
};

}  // namespace desktop
