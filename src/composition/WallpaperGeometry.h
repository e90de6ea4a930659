#pragma once
// Where the desktop shows each pixel of its wallpaper on one monitor, and
// back. Pure arithmetic: no widgets, no screens asked.
//
// Screen positions are device pixels counted from the monitor's top-left
// corner. A monitor is given as the window system reports it: its top-left
// corner in the virtual screen's native pixels, its size in logical pixels,
// and its device pixel ratio (so its device size is the logical size times
// the ratio, unless the window system tells it).

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

#include "system/desktop/PictureMode.h"

namespace composition {

struct Monitor {
    Monitor() = default;
    Monitor(const QRect& where, double ratio, QSize devicePixels = {})
        : geometry(where), dpr(ratio), device(devicePixels) {}

    QRect geometry;  // top-left native, size logical
    double dpr = 1;
    // The size in device pixels, where the window system tells it: at a
    // fractional ratio the logical size is rounded (1024 device pixels at 1.5
    // are 683 logical), and times the ratio it misses by a pixel.
    QSize device;

    // `device`, or else the logical size times the ratio.
    QSize deviceSize() const;
    // The monitor in the virtual screen's native pixels.
    QRect deviceRect() const { return {geometry.topLeft(), deviceSize()}; }
};

struct WallpaperShow {
    QSize picture;  // the wallpaper's pixel size
    desktop::PictureMode mode = desktop::PictureMode::Centered;
    // With `atOrigin`, a centred or tiled picture has its top-left corner at
    // `origin` (native pixels of the virtual screen) instead of being centred.
    bool atOrigin = false;
    QPoint origin;
    // All monitors together, native pixels: what a spanned picture covers.
    QRect span;
    // Tiled: the window shows the whole monitor with the tiles the desktop
    // draws there, not only the copy at the origin.
    bool wholeTiledMonitor = false;
};

class WallpaperMapping {
public:
    WallpaperMapping() = default;
    WallpaperMapping(const WallpaperShow& show, const Monitor& monitor);

    // The whole picture as the monitor shows it (a tiled one: the copy at
    // its origin). It may reach beyond the monitor.
    QRectF shown() const { return shown_; }
    // The part of the monitor that shows the picture, whole device pixels;
    // empty when none of it is on this monitor.
    QRect visible() const { return visible_; }
    QSize picture() const { return picture_; }

    QPointF toWallpaper(QPointF device) const;
    QPointF toScreen(QPointF wallpaper) const;
    // Wallpaper pixels per device pixel, across and down.
    double scaleX() const;
    double scaleY() const;
    // True where each device pixel shows exactly one wallpaper pixel.
    bool oneToOne() const;
    // True where the monitor shows copies of the picture all over it, as
    // tiles starting from shown().
    bool tiled() const { return tiled_; }
    // True where the monitor shows one copy of the picture stretched over
    // it and rolled (GNOME's tiles over a solid colour); tiled() is true too,
    // and shown() is the copy that starts left of and above the monitor.
    bool stretchesTile() const { return stretchesTile_; }

private:
    QSize picture_;
    QRectF shown_;
    QRect visible_;
    bool tiled_ = false;
    bool stretchesTile_ = false;
};

// The window that covers `visibleDevice` (device pixels of `monitor`), in the
// logical coordinates windows are placed in.
QRect logicalWindowRect(const Monitor& monitor, const QRect& visibleDevice);

}  // namespace composition
