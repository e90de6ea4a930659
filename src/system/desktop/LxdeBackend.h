#pragma once
// LXDE: pcmanfm draws the desktop. It is told with --set-wallpaper and
// --wallpaper-mode and keeps both in pcmanfm/<profile>/desktop-items-0.conf
// (or, before it first saved, the [desktop] group of pcmanfm.conf), either one
// picture for every workspace or one per workspace.

#include <QImage>
#include <QRect>

#include "system/desktop/ToolBackend.h"

namespace desktop {

class LxdeBackend : public ToolBackend {
public:
    explicit LxdeBackend(DesktopContext context);

    QString name() const override { return QStringLiteral("lxde"); }
    CurrentWallpaper current() override;

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

    ApplyResult applyChecked(const QString& picture, bool tiled) override;
};

}  // namespace desktop
