#include "toolkit/PictureSurface.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QtMath>

#include "toolkit/Colors.h"
#include "toolkit/CoveredPixels.h"
#include "toolkit/Units.h"
#include "toolkit/picture/PictureFile.h"

namespace tk {

PictureSurface::PictureSurface(QSize pixels)
    : palette_(qGuiApp != nullptr ? QGuiApplication::palette() : QPalette()) {
    resize(pixels);
}

PictureSurface::~PictureSurface() {
    endPainting();
}

void PictureSurface::setDpm(QImage& img) const {
    // Fonts are sized in points; the image measures them at the screen's
    // logical resolution, like the windows do.
    img.setDotsPerMeterX(qRound(dpiX() / 0.0254));
    img.setDotsPerMeterY(qRound(dpiY() / 0.0254));
}

void PictureSurface::resize(QSize pixels) {
    pixels = pixels.expandedTo(QSize(0, 0));
    if (!image_.isNull() && pixels == image_.size()) {
        return;
    }
    endPainting();
    covered_ = nullptr;
    if (image_.isNull() && !picture_.isNull() && picture_.size() == pixels) {
        // A fresh image exactly covered by the picture: share its pixels.
        image_ = picture_;
        setDpm(image_);
        if (onResized_) {
            onResized_();
        }
        changed();
        return;
    }
    QImage next(pixels, QImage::Format_RGB32);
    failed_ = failed_ || (next.isNull() && !pixels.isEmpty());
    setDpm(next);
    if (!next.isNull()) {
        QPainter p(&next);
        paintBackground(p);
        if (!image_.isNull()) {
            p.drawImage(0, 0, image_);  // what was drawn stays where it was
        }
    }
    image_ = std::move(next);
    if (onResized_) {
        onResized_();
    }
    changed();
}

double PictureSurface::scaleWidth() const {
    return image_.width() / pixelsPerUnitX(scaleMode_);
}
double PictureSurface::scaleHeight() const {
    return image_.height() / pixelsPerUnitY(scaleMode_);
}

void PictureSurface::setFont(const QFont& font) {
    font_ = font;
    if (painter_) {
        painter_->setFont(font_);
    }
}

void PictureSurface::setBackColor(int32_t color) {
    backColor_ = color;
}

void PictureSurface::setPictureToDrawOn(QImage picture) {
    setPicture(picture);
    picture = QImage();
    pictureIsDrawnOn_ = true;
}

void PictureSurface::setPicture(const QImage& picture) {
    endPainting();
    covered_ = nullptr;
    pictureIsDrawnOn_ = false;
    picture_ = picture.format() == QImage::Format_RGB32
                   ? picture
                   : picture.convertToFormat(QImage::Format_RGB32);
    failed_ = picture_.isNull() && !picture.isNull();
    setDpm(picture_);  // a no-op, without a copy, when it is right already
    if (autoSize_ && picture_.size() != image_.size()) {
        image_ = QImage();  // the old drawing does not survive a new picture
        resize(picture_.size());
        return;
    }
    clear();
}

void PictureSurface::drawImage(const QImage& picture, QPoint pixel) {
    if (image_.isNull() || picture.isNull()) {
        return;
    }
    if (!painter_ && pixel == QPoint(0, 0) && picture.size() == image_.size() &&
        picture.format() == image_.format()) {
        image_ = picture;  // shares its pixels until something is drawn on it
        setDpm(image_);
    } else {
        QImage plain = picture;
        plain.setDevicePixelRatio(1);
        if (QPainter* p = painter()) {
            covering(QRect(pixel, plain.size()));
            p->drawImage(pixel, plain);
        }
    }
    changed();
}

const QImage& PictureSurface::image() const {
    endPainting();
    return image_;
}

void PictureSurface::paintBackground(QPainter& p) {
    p.fillRect(QRect(0, 0, p.device()->width(), p.device()->height()),
               resolveColor(backColor_, palette_));
    if (!picture_.isNull()) {
        p.drawImage(0, 0, picture_);
    }
}

void PictureSurface::clear() {
    if (!image_.isNull()) {
        if (!painter_ && !picture_.isNull() && picture_.size() == image_.size()) {
            // The common case of a picture filling the box: the image shares
            // the picture's pixels until something is drawn on it (a painter
            // detaches it), so a wallpaper-sized picture is not copied for
            // nothing.
            image_ = picture_;
            setDpm(image_);
        } else if (QPainter* p = painter()) {
            covering(image_.rect());
            paintBackground(*p);
        }
    }
    changed();
}

double PictureSurface::textWidth(const QString& text) const {
    const QFontMetricsF fm(font_, &image_);
    return fm.horizontalAdvance(text) / pixelsPerUnitX(Unit::Points);
}

void PictureSurface::drawText(QPointF topLeft, const QString& text, const QColor& color) {
    const double xPx = topLeft.x() * pixelsPerUnitX(Unit::Points);
    const double yPx = topLeft.y() * pixelsPerUnitY(Unit::Points);
    const QFontMetricsF fm(font_, &image_);
    if (!image_.isNull()) {
        if (fm.height() > kCachedTextAbovePx) {
            drawLargeText({xPx, yPx}, text, color);
        } else if (QPainter* p = painter()) {
            const QPointF origin(xPx, yPx + fm.ascent());
            if (covered_ != nullptr) {
                // The ink, with the line box that underline and strikeout
                // cross, and a line's height around it for antialiased edges
                // and glyphs that reach beyond the font's metrics.
                const QRectF ink = fm.boundingRect(text).translated(origin).united(
                    QRectF(xPx, yPx, fm.horizontalAdvance(text), fm.height()));
                const int room = qCeil(fm.height()) + 2;
                covering(ink.toAlignedRect().adjusted(-room, -room, room, room));
            }
            p->setPen(color);
            p->drawText(origin, text);
        }
    }
    changed();
}

void PictureSurface::drawLargeText(QPointF corner, const QString& text, const QColor& color) {
    CachedText& cached = cachedText(text, color);
    if (cached.area.isEmpty()) {
        return;  // a blank: nothing to draw
    }
    const QRect target(
        QPoint(qRound(corner.x() + cached.offset.x()), qRound(corner.y() + cached.offset.y())),
        cached.area.size());
    const QRect part = target.intersected(image_.rect());
    if (part.isEmpty()) {
        return;
    }
    // Whole when it fits on the image or is small: the glyphs' edges then
    // come out as they always did.
    const bool whole =
        part == target || qsizetype(target.width()) * target.height() * 4 <= kWholeTextBytes;
    QImage ink = whole ? cached.image : QImage();
    if (ink.isNull()) {
        const QRect area =
            whole ? cached.area
                  : QRect(cached.area.topLeft() + (part.topLeft() - target.topLeft()), part.size());
        ink = renderText(text, color, area);
        if (ink.isNull()) {
            return;
        }
        if (whole) {
            if (textCacheBytes_ + ink.sizeInBytes() > kTextCacheBytes) {
                for (CachedText& c : textCache_) {
                    c.image = QImage();
                }
                textCacheBytes_ = 0;
            }
            cached.image = ink;
            textCacheBytes_ += ink.sizeInBytes();
        }
    }
    if (QPainter* p = painter()) {
        const QPoint at = whole ? target.topLeft() : part.topLeft();
        covering(QRect(at, ink.size()));
        p->drawImage(at, ink);
    }
}

PictureSurface::CachedText& PictureSurface::cachedText(const QString& text, const QColor& color) {
    const QString key = font_.key() + u'\x1f' + QString::number(image_.dotsPerMeterX()) + u'\x1f' +
                        QString::number(color.rgba(), 16) + u'\x1f' + text;
    auto it = textCache_.find(key);
    if (it != textCache_.end()) {
        return *it;
    }
    if (textCache_.size() > 512) {
        textCache_.clear();
        textCacheBytes_ = 0;
    }
    QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
    setDpm(probe);
    const QFontMetricsF fm(font_, &probe);
    // The ink around the baseline origin, with the line box when underline
    // or strikeout draw across it.
    QRectF ink = fm.boundingRect(text);
    if (font_.underline() || font_.strikeOut()) {
        ink = ink.united(QRectF(0, -fm.ascent(), fm.horizontalAdvance(text), fm.height()));
    }
    CachedText cached;
    if (!ink.isEmpty()) {
        cached.area = ink.toAlignedRect().adjusted(-2, -2, 2, 2);
        cached.offset = QPointF(cached.area.left(), fm.ascent() + cached.area.top());
    }
    return *textCache_.insert(key, std::move(cached));
}

QImage PictureSurface::renderText(const QString& text, const QColor& color, const QRect& part) {
    QImage image(part.size(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        failed_ = true;
        return image;
    }
    setDpm(image);
    image.fill(Qt::transparent);
    QPainter p(&image);
    if (!p.isActive()) {
        failed_ = true;
        return {};
    }
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(font_);
    p.setPen(color);
    p.drawText(QPointF(-part.left(), -part.top()), text);
    p.end();
    return image;
}

QPainter* PictureSurface::painter() {
    if (!painter_) {
        if (pictureIsDrawnOn_ && picture_.constBits() == image_.constBits()) {
            picture_ = QImage();  // the drawing takes the picture's pixels
        }
        if (!image_.isDetached()) {
            // Drawing starts on pixels shared with the picture: copy them
            // here rather than let the painter do it the slow way.
            image_ = CopyPicture(image_);
        }
        if (image_.isNull()) {
            failed_ = true;
            return nullptr;
        }
        painter_ = std::make_unique<QPainter>(&image_);
        if (!painter_->isActive()) {
            painter_.reset();
            failed_ = true;
            return nullptr;
        }
        painter_->setFont(font_);
        painter_->setRenderHint(QPainter::TextAntialiasing);
    }
    return painter_.get();
}

void PictureSurface::covering(const QRect& area) {
    if (covered_ != nullptr) {
        covered_->keep(image_, area);
    }
}

void PictureSurface::endPainting() const {
    painter_.reset();
}

void PictureSurface::changed() const {
    if (onChanged_) {
        onChanged_();
    }
}

}  // namespace tk
