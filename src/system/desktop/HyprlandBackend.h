#pragma once
// Hyprland with hyprpaper, driven through "hyprctl hyprpaper". Two protocol
// generations answer there: hyprpaper up to 0.7 (preload, wallpaper,
// unload, listactive over a text socket) and 0.8 and later (only
// "wallpaper MONITOR,PATH,FIT" over hyprwire, nothing to read back). Which
// one runs is asked each time. hyprpaper keeps showing a path it has
// loaded, so it gets alternating PNG copies of the picture.

#include <QMap>

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/ToolRunner.h"
#include "system/desktop/WallpaperPlaces.h"

namespace desktop {

class HyprlandBackend : public DesktopBackend {
public:
    explicit HyprlandBackend(DesktopContext context)
        : context_(std::move(context)), tools_(context_.env, context_.toolTimeoutMs) {}

    QString name() const override { return QStringLiteral("hyprland"); }
    std::optional<QString> liveWallpaper() override;
    std::optional<bool> liveTiled() override;
    std::optional<PictureMode> livePictureMode() override;
    ApplyResult apply(const QString& path, bool tiled) override;

    struct Active {
        QString monitor;  // empty: every monitor without a picture of its own
        QString picture;  // as hyprpaper has it (may be a shown copy)
        QString mode;     // "cover", "contain", "tile" or "fit"
    };
    // 0.7's "listactive": one "monitor = path" per line, modes stripped.
    static QList<Active> parseListActive(const QString& output);
    // hyprpaper.conf: "wallpaper = MONITOR,[mode:]PATH" lines (up to 0.7) and
    // "wallpaper { monitor = .. path = .. fit_mode = .. }" blocks (0.8).
    static QList<Active> parseConfig(const QString& text);

    enum class Generation { Socket07, Wire08 };

private:
    struct Shown {
        Generation generation;
        QList<Active> monitors;  // one per monitor, in Hyprland's order
    };
    std::optional<Shown> shown(QString* failure) const;
    QList<Active> configured() const;
    QStringList monitorNames() const;
    QString run(const QStringList& args, Generation generation) const;  // empty on success

    DesktopContext context_;
    ToolRunner tools_;
    StartedPicture started_;
    // What this program told hyprpaper, per monitor: 0.8 cannot be asked, and
    // 0.7 does not tell the mode.
    QMap<QString, Active> told_;
};

}  // namespace desktop
