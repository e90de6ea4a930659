#pragma once
// How a desktop fits its wallpaper picture onto a monitor.

#include <QString>

namespace desktop {

enum class PictureMode {
    Centered,   // natural size, centred (or at the hive's origin)
    Tiled,      // natural size, repeated from the top-left corner
    Zoom,       // scaled to cover the monitor, keeping its aspect, cut at the edges
    Scaled,     // scaled to fit inside the monitor, keeping its aspect, bars beside
    Stretched,  // scaled to the monitor's size, aspect not kept
    Spanned,    // one picture zoomed across all monitors together
    // GNOME's and Cinnamon's window managers draw two of them their own way:
    SpannedStretched,  // one picture stretched over all monitors together, aspect not kept
    TiledCentred,      // natural size, repeated from a tile centred on all monitors together
    // GNOME's tiles over a solid colour: one copy stretched over each monitor,
    // rolled so that it starts where those tiles would.
    TiledStretched,
};

// "centered", "tiled", "zoom", "scaled", "stretched", "spanned".
QString pictureModeName(PictureMode mode);

}  // namespace desktop
