#pragma once
// LXDE: pcmanfm draws the desktop. It is told with --set-wallpaper and
// --wallpaper-mode and keeps both in pcmanfm/<profile>/desktop-items-0.conf
// (or, before it first saved, the [desktop] group of pcmanfm.conf), either one
// picture for every workspace or one per workspace.

#include <QImage>
#include <QRect>

#include "system/desktop/DesktopBackend.h"
#include "system/desktop/SessionEnvironment.h"
#include "system/desktop/ToolRunner.h"

namespace desktop {

class LxdeBackend : public DesktopBackend {
public:
    explicit LxdeBackend(DesktopContext context)
        : context_(std::move(context)), tools_(context_.env, context_.toolTimeoutMs) {}

    QString name() const override { return QStringLiteral("lxde"); }
    std::optional<QString> liveWallpaper() override;
    std::optional<bool> liveTiled() override;
    std::optional<PictureMode> livePictureMode() override;
    ApplyResult apply(const QString& path, bool tiled) override;

    struct State {
        bool common = true;      // wallpaper_common: one picture for all workspaces
        QString wallpaper;       // wallpaper=
        QStringList perDesktop;  // wallpaper0=, wallpaper1=, ...
        QString mode;            // wallpaper_mode, as a name
        // The picture the workspace shows.
        QString pictureOn(int workspace) const {
            return common ? wallpaper : perDesktop.value(workspace);
        }
    };
    // The settings of one desktop-items-N.conf [*] or pcmanfm.conf [desktop]
    // group; nullopt when it names no picture.
    static std::optional<State> parseGroup(const QMap<QString, QString>& group);
    // `picture` tiled over each monitor from its corner, on a screen-sized
    // picture (black where no monitor is).
    static QImage tiledOverScreen(const QImage& picture, QSize screen,
                                  const QList<QRect>& monitors);

private:
    std::optional<State> state() const;
    int currentWorkspace() const;  // the X root's _NET_CURRENT_DESKTOP, else 0
    bool drawsTilesOnce() const;

    DesktopContext context_;
    ToolRunner tools_;
};

}  // namespace desktop
