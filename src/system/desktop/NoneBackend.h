#pragma once
// The embedded backend for machines without a known desktop (headless runs,
// tests): it has no live setting of its own and accepts every picture; the
// wallpaper call then only records the path in the hive.

#include "system/desktop/DesktopBackend.h"

namespace desktop {

class NoneBackend : public DesktopBackend {
public:
    // `undetected`: the session's desktop was looked for and not found (as
    // opposed to chosen with TESSARYN_DESKTOP=none); the user is then told
    // that the wallpaper changes nothing on the screen.
    explicit NoneBackend(bool undetected = false) : undetected_(undetected) {}

    QString name() const override;
    ApplyResult apply(const QString& path, bool tiled) override;
    QString unseenReason() const override;

private:
    bool undetected_ = false;
};

}  // namespace desktop
