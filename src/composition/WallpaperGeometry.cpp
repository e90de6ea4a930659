#include "composition/WallpaperGeometry.h"

#include <algorithm>
#include <cmath>

namespace composition {

using desktop::PictureMode;

QSize Monitor::deviceSize() const {
    if (device.isValid()) {
        return device;
    }
    return {static_cast<int>(std::lround(geometry.width() * dpr)),
            static_cast<int>(std::lround(geometry.height() * dpr))};
}

namespace {

// The picture scaled by `s`, centred on `area`.
QRectF centredAt(const QRectF& area, QSizeF picture, double s) {
    const QSizeF size = picture * s;
    return {area.x() + (area.width() - size.width()) / 2,
            area.y() + (area.height() - size.height()) / 2, size.width(), size.height()};
}

}  // namespace

WallpaperMapping::WallpaperMapping(const WallpaperShow& show, const Monitor& monitor)
    : picture_(show.picture) {
    if (picture_.isEmpty()) {
        return;
    }
    const QSize dev = monitor.deviceSize();
    const QRectF screen(QPointF(0, 0), QSizeF(dev));
    const QSizeF pic(picture_);
    const double across = dev.width() / pic.width();
    const double down = dev.height() / pic.height();
    switch (show.mode) {
        case PictureMode::Centered:
        case PictureMode::Tiled:
            if (show.atOrigin || show.mode == PictureMode::Tiled) {
                // Origins are in native pixels, which count device pixels.
                const QPointF at = QPointF(show.origin) - QPointF(monitor.geometry.topLeft());
                shown_ = QRectF(at, pic);
            } else {
                // Whole pixels, the half dropped toward zero.
                shown_ = QRectF((dev.width() - picture_.width()) / 2,
                                (dev.height() - picture_.height()) / 2, pic.width(), pic.height());
            }
            break;
        case PictureMode::Zoom:
            shown_ = centredAt(screen, pic, std::max(across, down));
            break;
        case PictureMode::Scaled:
            shown_ = centredAt(screen, pic, std::min(across, down));
            break;
        case PictureMode::Stretched:
            shown_ = screen;
            break;
        case PictureMode::TiledCentred: {
            // A tile in the middle of all monitors together, whole pixels
            // toward zero.
            const QRect span = show.span.isEmpty() ? monitor.deviceRect() : show.span;
            const QPointF at(span.x() + static_cast<int>((span.width() - pic.width()) / 2.0),
                             span.y() + static_cast<int>((span.height() - pic.height()) / 2.0));
            shown_ = QRectF(at - QPointF(monitor.geometry.topLeft()), pic);
            break;
        }
        case PictureMode::TiledStretched: {
            // Mutter's texture coordinates run from -x / w to 1 - x / w across
            // the monitor, x being the centred tile's corner (as above) and w
            // its width: one copy, stretched to the monitor, starting with the
            // tile's column -x (wrapped). shown() is the copy from the
            // picture's corner on, left of the monitor; the rest repeats it.
            const QRect span = show.span.isEmpty() ? monitor.deviceRect() : show.span;
            const int x = span.x() + static_cast<int>((span.width() - pic.width()) / 2.0) -
                          monitor.geometry.x();
            const int y = span.y() + static_cast<int>((span.height() - pic.height()) / 2.0) -
                          monitor.geometry.y();
            const int w = picture_.width();
            const int h = picture_.height();
            const int rollX = ((-x) % w + w) % w;
            const int rollY = ((-y) % h + h) % h;
            shown_ = QRectF(-rollX * across, -rollY * down, dev.width(), dev.height());
            break;
        }
        case PictureMode::SpannedStretched: {
            const QRect span = show.span.isEmpty() ? monitor.deviceRect() : show.span;
            shown_ = QRectF(span).translated(-QPointF(monitor.geometry.topLeft()));
            break;
        }
        case PictureMode::Spanned: {
            const QRect span = show.span.isEmpty() ? monitor.deviceRect() : show.span;
            const double s = std::max(span.width() / pic.width(), span.height() / pic.height());
            shown_ =
                centredAt(QRectF(span), pic, s).translated(-QPointF(monitor.geometry.topLeft()));
            break;
        }
    }
    tiled_ = show.wholeTiledMonitor &&
             (show.mode == PictureMode::Tiled || show.mode == PictureMode::TiledCentred ||
              show.mode == PictureMode::TiledStretched);
    stretchesTile_ = tiled_ && show.mode == PictureMode::TiledStretched;
    const QRectF on = tiled_ ? screen : shown_.intersected(screen);
    if (on.width() > 0 && on.height() > 0) {
        const int left = static_cast<int>(std::lround(on.left()));
        const int top = static_cast<int>(std::lround(on.top()));
        const int right = static_cast<int>(std::lround(on.right()));
        const int bottom = static_cast<int>(std::lround(on.bottom()));
        if (right > left && bottom > top) {
            visible_ = QRect(left, top, right - left, bottom - top);
        }
    }
}

double WallpaperMapping::scaleX() const {
    return shown_.width() > 0 ? picture_.width() / shown_.width() : 1.0;
}

double WallpaperMapping::scaleY() const {
    return shown_.height() > 0 ? picture_.height() / shown_.height() : 1.0;
}

bool WallpaperMapping::oneToOne() const {
    return shown_.size() == QSizeF(picture_) && shown_.x() == std::floor(shown_.x()) &&
           shown_.y() == std::floor(shown_.y());
}

QPointF WallpaperMapping::toWallpaper(QPointF device) const {
    return {(device.x() - shown_.x()) * scaleX(), (device.y() - shown_.y()) * scaleY()};
}

QPointF WallpaperMapping::toScreen(QPointF wallpaper) const {
    return {shown_.x() + wallpaper.x() / scaleX(), shown_.y() + wallpaper.y() / scaleY()};
}

QRect logicalWindowRect(const Monitor& monitor, const QRect& visibleDevice) {
    const double r = monitor.dpr > 0 ? monitor.dpr : 1.0;
    auto logical = [r](int device) { return static_cast<int>(std::lround(device / r)); };
    const int left = logical(visibleDevice.left());
    const int top = logical(visibleDevice.top());
    const int right = logical(visibleDevice.left() + visibleDevice.width());
    const int bottom = logical(visibleDevice.top() + visibleDevice.height());
    return {monitor.geometry.left() + left, monitor.geometry.top() + top, right - left,
            bottom - top};
}

}  // namespace composition
