#pragma once
// A picture box: a widget that shows a PictureSurface (its persistent image)
// and reports the mouse in the surface's own unit. With auto-size on it takes
// the size of its picture; a single-line border sits around the image.

#include <QWidget>
#include <memory>

#include "toolkit/PictureSurface.h"

namespace tk {

// The codes the mouse handlers receive for the buttons.
struct ButtonCode {
    static constexpr int Left = 1;
    static constexpr int Right = 2;
    static constexpr int Middle = 4;
};

int buttonCode(Qt::MouseButton b);
int shiftCode(Qt::KeyboardModifiers m);

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);
    ~PictureBox() override;

    // The surface the calendar draws on; shared so a drawing object can hold it.
    const std::shared_ptr<PictureSurface>& surface() const { return surface_; }

    // Move and size the box; its image follows at once, also while the box
    // is still hidden (a hidden widget gets its resize event only when shown).
    void setBoxGeometry(const QRect& r);
    void resizeBox(QSize size) { setBoxGeometry(QRect(pos(), size)); }

    void setBorder(bool singleLine);
    int borderWidth() const { return border_; }
    // The border on the screen: whole device pixels, as many as fit in its
    // logical width (one at a ratio of 1.5, two at 2).
    int deviceBorderWidth() const { return deviceBorderWidth(devicePixelRatioF()); }
    int deviceBorderWidth(double ratio) const;
    // Where the box lies in its window's device pixels. At a fractional
    // ratio a logical pixel covers no whole number of them: each edge is the
    // nearest device pixel, as Qt clips the box's painting. With `ratio`:
    // in the device pixels of a monitor of that ratio, where the window
    // paints at another (Qt's offscreen platform paints every window at 1).
    QRect deviceRect() const { return deviceRect(devicePixelRatioF()); }
    QRect deviceRect(double ratio) const;

    // Background picture; with auto-size on the box takes the picture's size.
    void setPicture(const QImage& picture) { surface_->setPicture(picture); }
    void setAutoSize(bool on);

    // Device pixels of the surface per pixel of the box (1 by default). With
    // the screen's device pixel ratio here, the surface holds the box's
    // device pixels and is shown one to one, without being scaled up.
    void setDeviceScale(double scale);
    double deviceScale() const { return deviceScale_; }

    // The surface's unit <-> pixels inside the border.
    QPointF toUnits(QPointF pixels) const;
    QPointF toPixels(QPointF units) const;

signals:
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int button, int shift, double x, double y);
    void mouseUp(int button, int shift, double x, double y);
    void dblClick();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    void fitToSurface();
    QSize surfaceSizeFor(QSize box) const;

    std::shared_ptr<PictureSurface> surface_;
    int border_ = 0;
    double deviceScale_ = 1;
    bool fitting_ = false;
};

}  // namespace tk
