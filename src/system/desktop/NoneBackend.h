#pragma once
// The embedded backend for machines without a known desktop (headless runs,
// tests): it has no live setting of its own and accepts every picture; the
// wallpaper call then only records the path in the hive.

#include "system/desktop/DesktopBackend.h"

namespace desktop {

class NoneBackend : public DesktopBackend {
public:
    QString name() const override;
    std::optional<QString> liveWallpaper() override;
    std::optional<bool> liveTiled() override;
    ApplyResult apply(const QString& path, bool tiled) override;
};

}  // namespace desktop
