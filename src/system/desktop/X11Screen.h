#pragma once
// What an X session's desktop shells see of the screen: the RandR outputs
// and the current workspace, asked with xrandr and xprop.

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include "system/desktop/ToolRunner.h"

namespace desktop {

struct X11Outputs {
    QStringList names;   // connector names of the active outputs, in RandR's order
    QString failure;     // one line when they cannot be known
    QList<QRect> rects;  // where each of them lies on the X screen
};

// The outputs as RandR 1.5 lists its active monitors (each by its first
// output: "HDMI-1", "screen" under Xvfb); "X11-1" alone on a server without
// RandR, as libxfce4windowing names it.
X11Outputs randrOutputs(const SessionEnvironment& env, const ToolRunner& tools);

// The X screen's size ("current 1280 x 800" of xrandr); empty when unknown.
QSize x11ScreenSize(const SessionEnvironment& env, const ToolRunner& tools);

// The root window's _NET_CURRENT_DESKTOP; 0 without a window manager.
int currentX11Workspace(const SessionEnvironment& env, const ToolRunner& tools);

}  // namespace desktop
