#include "toolkit/PictureSurface.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>

#include "toolkit/Colors.h"
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

double PictureSurface::ScaleWidth() const {
    return image_.width() / pixelsPerUnitX(scaleMode_);
}
double PictureSurface::ScaleHeight() const {
    return image_.height() / pixelsPerUnitY(scaleMode_);
}

void PictureSurface::setFont(const QFont& font) {
    font_ = font;
    if (painter_) {
        painter_->setFont(font_);
    }
}

void PictureSurface::setFontSize(double points) {
    font_.setPointSizeF(points);
    if (painter_) {
        painter_->setFont(font_);
    }
}

void PictureSurface::setBackColor(int32_t color) {
    backColor_ = color;
}

void PictureSurface::setPicture(const QImage& picture) {
    endPainting();
    picture_ = picture.format() == QImage::Format_RGB32
                   ? picture
                   : picture.convertToFormat(QImage::Format_RGB32);
    setDpm(picture_);  // a no-op, without a copy, when it is right already
    if (autoSize_ && picture_.size() != image_.size()) {
        image_ = QImage();  // the old drawing does not survive a new picture
        resize(picture_.size());
        return;
    }
    Cls();
}

void PictureSurface::PaintPicture(const QImage& picture, QPoint pixel) {
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
        painter().drawImage(pixel, plain);
    }
    changed();
}

const QImage& PictureSurface::Image() const {
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

void PictureSurface::Cls() {
    if (!image_.isNull()) {
        if (!painter_ && !picture_.isNull() && picture_.size() == image_.size()) {
            // The common case of a picture filling the box: the image shares
            // the picture's pixels until something is drawn on it (a painter
            // detaches it), so a wallpaper-sized picture is not copied for
            // nothing.
            image_ = picture_;
            setDpm(image_);
        } else {
            paintBackground(painter());
        }
    }
    xPx_ = 0;
    yPx_ = 0;
    changed();
}

void PictureSurface::setCurrentX(double x) {
    xPx_ = x * pixelsPerUnitX(scaleMode_);
}
void PictureSurface::setCurrentY(double y) {
    yPx_ = y * pixelsPerUnitY(scaleMode_);
}
double PictureSurface::currentX() const {
    return xPx_ / pixelsPerUnitX(scaleMode_);
}
double PictureSurface::currentY() const {
    return yPx_ / pixelsPerUnitY(scaleMode_);
}

double PictureSurface::TextWidth(const QString& text) const {
    const QFontMetricsF fm(font_, &image_);
    return fm.horizontalAdvance(text) / pixelsPerUnitX(scaleMode_);
}

void PictureSurface::Print(const QString& text) {
    const QFontMetricsF fm(font_, &image_);
    if (!image_.isNull()) {
        const QColor color = resolveColor(foreColor_, palette_);
        if (fm.height() > kCachedTextAbovePx) {
            const CachedText& cached = cachedText(text, color);
            if (!cached.image.isNull()) {
                painter().drawImage(
                    QPoint(qRound(xPx_ + cached.offset.x()), qRound(yPx_ + cached.offset.y())),
                    cached.image);
            }
        } else {
            QPainter& p = painter();
            p.setPen(color);
            p.drawText(QPointF(xPx_, yPx_ + fm.ascent()), text);
        }
    }
    xPx_ = 0;
    yPx_ += fm.height();
    changed();
}

const PictureSurface::CachedText& PictureSurface::cachedText(const QString& text,
                                                             const QColor& color) {
    const QString key = font_.key() + u'\x1f' + QString::number(image_.dotsPerMeterX()) + u'\x1f' +
                        QString::number(color.rgba(), 16) + u'\x1f' + text;
    auto it = textCache_.constFind(key);
    if (it != textCache_.constEnd()) {
        return *it;
    }
    if (textCache_.size() > 512) {
        textCache_.clear();
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
    if (ink.isEmpty()) {
        return *textCache_.insert(key, std::move(cached));  // a blank: nothing to copy
    }
    const QRect area = ink.toAlignedRect().adjusted(-2, -2, 2, 2);
    cached.image = QImage(area.size(), QImage::Format_ARGB32_Premultiplied);
    setDpm(cached.image);
    cached.image.fill(Qt::transparent);
    {
        QPainter p(&cached.image);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font_);
        p.setPen(color);
        p.drawText(QPointF(-area.left(), -area.top()), text);
    }
    cached.offset = QPointF(area.left(), fm.ascent() + area.top());
    return *textCache_.insert(key, std::move(cached));
}

QPainter& PictureSurface::painter() {
    if (!painter_) {
        if (!image_.isDetached()) {
            // Drawing starts on pixels shared with the picture: copy them
            // here rather than let the painter do it the slow way.
            image_ = CopyPicture(image_);
        }
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setFont(font_);
        painter_->setRenderHint(QPainter::TextAntialiasing);
    }
    return *painter_;
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
