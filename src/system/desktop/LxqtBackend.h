#pragma once
// LXQt: pcmanfm-qt draws the desktop. It is told with --set-wallpaper and
// --wallpaper-mode and keeps the picture in pcmanfm-qt/<profile>/settings.conf
// (the user's, else the system's profile).

#include "system/desktop/ToolBackend.h"

namespace desktop {

class LxqtBackend : public ToolBackend {
public:
    explicit LxqtBackend(DesktopContext context);

    QString name() const override { return QStringLiteral("lxqt"); }
    CurrentWallpaper current() override;

private:
    struct State {
        QString picture;  // as pcmanfm-qt has it (may be a shown copy)
        QString mode;
    };
    QString profileDir(const QString& profile) const;
    std::optional<State> state() const;

    ApplyResult applyChecked(const QString& picture, bool tiled) override;

    std::optional<State> told_;  // the last copy shown and its mode
};

}  // namespace desktop
