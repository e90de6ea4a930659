#include "composition/CalendarComposition.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

#include "calendar/MonthDrawing.h"
#include "toolkit/CoveredPixels.h"
#include "toolkit/PictureSurface.h"
#include "toolkit/Rounding.h"
#include "toolkit/Units.h"

namespace composition {

bool PlacedCalendar::uneven() const {
    return kx > 0 && ky > 0 && std::abs(kx / ky - 1) > 1e-4;
}

namespace {

// Draws `c` with its corner at `at` and its font `fontPixels` high, both in
// the surface's pixels.
void drawCalendar(tk::PictureSurface& surface, const PlacedCalendar& c, QPointF at,
                  double fontPixels) {
    // The calendar measures in points; one wallpaper pixel is one screen
    // pixel here, so points and pixels convert at the screen's dpi both ways.
    const double pointsPerPixelX = 1.0 / tk::pixelsPerUnitX(tk::Unit::Points);
    const double pointsPerPixelY = 1.0 / tk::pixelsPerUnitY(tk::Unit::Points);
    QFont font(c.face);
    font.setBold(c.bold);
    font.setItalic(c.italic);
    font.setUnderline(c.underline);
    font.setStrikeOut(c.strikeout);
    // Sizes come back from text and through pixel conversions: a size a
    // hair off a whole point would place a few glyph edges differently.
    font.setPointSizeF(std::round(fontPixels * pointsPerPixelY * 1e6) / 1e6);
    // The corner in single precision, as the placement has always kept it.
    const QPointF corner(static_cast<float>(at.x() * pointsPerPixelX),
                         static_cast<float>(at.y() * pointsPerPixelY));
    calendar::drawMonth(surface, corner, calendar::firstOfMonth(c.year, c.month),
                        calendar::styleFor(font, c.colors, surface.palette()));
}

// The calendar as the desktop's device pixels show it, over a wallpaper the
// size of `device`: drawn once on black and once on white, which gives each
// pixel's coverage as well as its colour. `ink` gets the pixels it covers.
QImage deviceLayer(const PlacedCalendar& c, QSize device, QRect* ink) {
    auto drawnOn = [&](Qt::GlobalColor ground) {
        QImage plain(device, QImage::Format_RGB32);
        plain.fill(ground);
        auto surface = std::make_shared<tk::PictureSurface>();
        surface->setAutoSize(true);
        surface->setPicture(plain);
        surface->setScaleMode(tk::Unit::Points);
        drawCalendar(*surface, c, QPointF(c.at.x() * c.kx, c.at.y() * c.ky), c.fontPixels * c.ky);
        return surface->image().convertToFormat(QImage::Format_RGB32);
    };
    const QImage black = drawnOn(Qt::black);
    const QImage white = drawnOn(Qt::white);
    QImage layer(device, QImage::Format_ARGB32_Premultiplied);
    int left = device.width();
    int right = -1;
    int top = device.height();
    int bottom = -1;
    for (int y = 0; y < device.height(); ++y) {
        const auto* b = reinterpret_cast<const QRgb*>(black.constScanLine(y));
        const auto* w = reinterpret_cast<const QRgb*>(white.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(layer.scanLine(y));
        for (int x = 0; x < device.width(); ++x) {
            const int cover = 255 - (qRed(w[x]) - qRed(b[x]) + qGreen(w[x]) - qGreen(b[x]) +
                                     qBlue(w[x]) - qBlue(b[x])) /
                                        3;
            const int a = std::clamp(cover, 0, 255);
            out[x] = qRgba(std::min(qRed(b[x]), a), std::min(qGreen(b[x]), a),
                           std::min(qBlue(b[x]), a), a);
            if (a > 0) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    *ink = right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
    return layer;
}

// `picture` handed to a picture surface, `c` drawn on it when there is one,
// and the picture handed back, also when the drawing throws: in the format
// and resolution the surface gives it, drawn on its own pixels where nothing
// else holds them. False when something could not be drawn.
bool drawOnSurface(QImage& picture, const PlacedCalendar* c, tk::CoveredPixels* covered) {
    // Sized by the picture: no picture-sized background is painted first.
    auto surface = std::make_shared<tk::PictureSurface>();
    surface->setAutoSize(true);
    struct HandBack {
        QImage& picture;
        tk::PictureSurface& surface;
        ~HandBack() { picture = surface.image(); }
    } handBack{picture, *surface};
    surface->setPictureToDrawOn(std::move(picture));
    surface->setScaleMode(tk::Unit::Points);
    surface->keepCoveredIn(covered);
    if (c != nullptr) {
        drawCalendar(*surface, *c, c->at, c->fontPixels);
    }
    return !surface->drawingFailed();
}

bool drawCalendars(QImage& picture, const std::vector<PlacedCalendar>& calendars,
                   tk::CoveredPixels* covered) {
    for (const PlacedCalendar& c : calendars) {
        if (!c.uneven()) {
            if (!drawOnSurface(picture, &c, covered)) {
                return false;
            }
            continue;
        }
        // Drawn as the desktop will show it, then squashed into the
        // picture's pixels.
        if (!drawOnSurface(picture, nullptr, nullptr)) {
            return false;
        }
        const QSize device(static_cast<int>(std::ceil(picture.width() * c.kx)),
                           static_cast<int>(std::ceil(picture.height() * c.ky)));
        QRect ink;
        const QImage layer = deviceLayer(c, device, &ink);
        if (covered != nullptr && !ink.isEmpty()) {
            // Smoothing reaches a pixel beyond the ink on either side.
            covered->keep(picture, QRectF((ink.left() - 2) / c.kx, (ink.top() - 2) / c.ky,
                                          (ink.width() + 4) / c.kx, (ink.height() + 4) / c.ky)
                                       .toAlignedRect()
                                       .adjusted(-2, -2, 2, 2));
        }
        QPainter p(&picture);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRectF(0, 0, device.width() / c.kx, device.height() / c.ky), layer);
    }
    return true;
}

}  // namespace

QImage composeCalendars(QImage wallpaper, const std::vector<PlacedCalendar>& calendars) {
    if (calendars.empty()) {
        return wallpaper;
    }
    try {
        return drawCalendars(wallpaper, calendars, nullptr) ? wallpaper : QImage();
    } catch (const std::bad_alloc&) {
        return {};
    } catch (const tk::OverflowError&) {
        return {};  // a size or place beyond what the drawing can take
    }
}

bool drawCalendarsOn(QImage& picture, const std::vector<PlacedCalendar>& calendars,
                     tk::CoveredPixels& covered) {
    covered.clear();
    bool drawn = false;
    try {
        drawn = drawCalendars(picture, calendars, &covered);
    } catch (const std::bad_alloc&) {
    } catch (const tk::OverflowError&) {
    }
    if (!drawn) {
        covered.restore(picture);
    }
    return drawn;
}

}  // namespace composition
