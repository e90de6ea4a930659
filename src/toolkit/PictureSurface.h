#pragma once
// A picture box's persistent image with its drawing state: the background
// colour or picture, a unit of measure and a font. What is drawn stays in
// the image until clear(); the picture box widget only shows it.

#include <QFont>
#include <QHash>
#include <QImage>
#include <QPalette>
#include <functional>
#include <memory>

#include "toolkit/DrawingSurface.h"

class QPainter;

namespace tk {

class CoveredPixels;

class PictureSurface : public DrawingSurface {
public:
    explicit PictureSurface(QSize pixels = QSize());
    ~PictureSurface() override;
    PictureSurface(const PictureSurface&) = delete;
    PictureSurface& operator=(const PictureSurface&) = delete;

    // Size of the image in pixels. Growing keeps what was drawn.
    QSize pixelSize() const { return image_.size(); }
    void resize(QSize pixels);

    // The unit of scaleWidth, scaleHeight and the picture box's mouse
    // positions: 1 twips, 2 points, 6 millimetres.
    void setScaleMode(int mode) { scaleMode_ = mode; }
    int scaleMode() const { return scaleMode_; }

    // Inner size in the current unit.
    double scaleWidth() const;
    double scaleHeight() const;

    double fontSize() const { return font_.pointSizeF(); }

    void setBackColor(int32_t color);
    int32_t backColor() const { return backColor_; }

    // The background picture. With auto-size on, the surface takes its size.
    void setPicture(const QImage& picture);
    // The same for a picture that is only a starting point: drawing goes
    // onto its own pixels (no second copy of a wallpaper-sized picture when
    // the caller has let go of it), and a clear() after drawing clears to the
    // back colour. The next setPicture ends this.
    void setPictureToDrawOn(QImage picture);
    const QImage& picture() const { return picture_; }
    void setAutoSize(bool on) { autoSize_ = on; }
    bool autoSize() const { return autoSize_; }

    // Draws `picture` into the persistent image with its top-left corner at
    // `pixel`, one to one; it stays until the next clear().
    void drawImage(const QImage& picture, QPoint pixel = QPoint(0, 0));

    // Erases what was drawn; the background colour or picture stays.
    void clear();

    // The persistent image: background plus everything drawn since clear().
    const QImage& image() const;

    // From now until the next setPicture or resize, each drawing first keeps
    // in `covered` the pixels it may change, as they were; null: none kept.
    // `covered` must outlive that.
    void keepCoveredIn(CoveredPixels* covered) { covered_ = covered; }

    // True when something since the last setPicture could not be drawn: an
    // image could not be made or painted on (too large, out of memory).
    bool drawingFailed() const { return failed_; }

    // Palette used to resolve system colours (the owning widget's).
    void setPalette(const QPalette& palette) { palette_ = palette; }
    const QPalette& palette() const { return palette_; }

    // Called after anything visible changed, and after the size changed.
    void setOnChanged(std::function<void()> f) { onChanged_ = std::move(f); }
    void setOnResized(std::function<void()> f) { onResized_ = std::move(f); }

    // DrawingSurface
    void setFont(const QFont& font) override;
    QFont font() const override { return font_; }
    double textWidth(const QString& text) const override;
    void drawText(QPointF topLeft, const QString& text, const QColor& color) override;

private:
    // The painter on the image; null, and the drawing failed, when there is
    // none.
    QPainter* painter();
    void endPainting() const;
    void paintBackground(QPainter& p);
    void changed() const;
    void setDpm(QImage& img) const;
    // Before a drawing on `area` of the image.
    void covering(const QRect& area);

    // Large text is drawn by the raster engine as outlines, which is slow;
    // above this many pixels of line height each text is rendered once into
    // a small picture and copied from then on. The pictures kept stay under
    // kTextCacheBytes together. A text larger than kWholeTextBytes that
    // reaches beyond the image is rendered afresh each time, only the part on
    // the image: a huge font costs no more than the image.
    static constexpr double kCachedTextAbovePx = 40;
    static constexpr qsizetype kWholeTextBytes = qsizetype{16} << 20;
    static constexpr qsizetype kTextCacheBytes = qsizetype{64} << 20;
    struct CachedText {
        QRect area;      // the ink around the baseline's origin; empty: a blank
        QPointF offset;  // the ink's corner from the line's top-left corner
        QImage image;    // premultiplied ARGB, the whole text in its colour, once drawn
    };
    CachedText& cachedText(const QString& text, const QColor& color);
    // `text` with the top-left corner of its line at `corner` (pixels).
    void drawLargeText(QPointF corner, const QString& text, const QColor& color);
    // `text` in `color` over `part` (pixels around the baseline's origin).
    QImage renderText(const QString& text, const QColor& color, const QRect& part);

    QImage image_;
    QImage picture_;
    mutable std::unique_ptr<QPainter> painter_;
    QFont font_;
    QPalette palette_;
    int scaleMode_ = 1;
    int32_t backColor_ = static_cast<int32_t>(0x00FFFFFF);
    bool autoSize_ = false;
    bool failed_ = false;
    bool pictureIsDrawnOn_ = false;
    qsizetype textCacheBytes_ = 0;
    CoveredPixels* covered_ = nullptr;
    std::function<void()> onChanged_;
    std::function<void()> onResized_;
    QHash<QString, CachedText> textCache_;
};

}  // namespace tk
