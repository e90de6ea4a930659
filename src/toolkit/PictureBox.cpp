#include "toolkit/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>
#include <algorithm>

#include "toolkit/Units.h"

namespace tk {

int buttonCode(Qt::MouseButton b) {
    switch (b) {
        case Qt::LeftButton:
            return ButtonCode::Left;
        case Qt::RightButton:
            return ButtonCode::Right;
        case Qt::MiddleButton:
            return ButtonCode::Middle;
        default:
            return 0;
    }
}

int shiftCode(Qt::KeyboardModifiers m) {
    return (m.testFlag(Qt::ShiftModifier) ? 1 : 0) | (m.testFlag(Qt::ControlModifier) ? 2 : 0) |
           (m.testFlag(Qt::AltModifier) ? 4 : 0);
}

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent), surface_(std::make_shared<PictureSurface>()) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_->setPalette(palette());
    surface_->setOnChanged([this] { update(); });
    surface_->setOnResized([this] { fitToSurface(); });
}

PictureBox::~PictureBox() {
    // The surface may outlive the widget in a drawing object's hands.
    surface_->setOnChanged(nullptr);
    surface_->setOnResized(nullptr);
}

QSize PictureBox::surfaceSizeFor(QSize box) const {
    const QSize inner = box - QSize(2 * border_, 2 * border_);
    if (deviceScale_ == 1) {
        return inner;
    }
    return {qRound(inner.width() * deviceScale_), qRound(inner.height() * deviceScale_)};
}

void PictureBox::setBoxGeometry(const QRect& r) {
    setGeometry(r);
    if (!fitting_) {
        surface_->resize(surfaceSizeFor(r.size()));
    }
}

void PictureBox::setDeviceScale(double scale) {
    deviceScale_ = scale > 0 ? scale : 1;
    fitToSurface();
    update();
}

void PictureBox::setBorder(bool singleLine) {
    border_ = singleLine ? 1 : 0;
    fitToSurface();
    update();
}

void PictureBox::setAutoSize(bool on) {
    surface_->setAutoSize(on);
    if (on) {
        fitToSurface();
    }
}

void PictureBox::fitToSurface() {
    if (!surface_->autoSize() || fitting_) {
        return;
    }
    fitting_ = true;
    const QSize px = surface_->pixelSize();
    const QSize inner = deviceScale_ == 1 ? px
                                          : QSize(qCeil(px.width() / deviceScale_ - 1e-9),
                                                  qCeil(px.height() / deviceScale_ - 1e-9));
    resize(inner + QSize(2 * border_, 2 * border_));
    fitting_ = false;
}

namespace {

QRect nearestPixels(const QRectF& r) {
    const int left = qRound(r.left());
    const int top = qRound(r.top());
    return {left, top, qRound(r.right()) - left, qRound(r.bottom()) - top};
}

}  // namespace

int PictureBox::deviceBorderWidth(double ratio) const {
    return border_ * std::max(1, qFloor(ratio));
}

QRect PictureBox::deviceRect(double ratio) const {
    return nearestPixels(
        QRectF(QPointF(mapTo(window(), QPoint(0, 0))) * ratio, QSizeF(size()) * ratio));
}

QPointF PictureBox::toUnits(QPointF px) const {
    const int mode = surface_->scaleMode();
    return {(px.x() - border_) / pixelsPerUnitX(mode), (px.y() - border_) / pixelsPerUnitY(mode)};
}

QPointF PictureBox::toPixels(QPointF units) const {
    const int mode = surface_->scaleMode();
    return {units.x() * pixelsPerUnitX(mode) + border_, units.y() * pixelsPerUnitY(mode) + border_};
}

void PictureBox::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    p.fillRect(e->rect(), palette().color(QPalette::Window));
    // Drawn in device pixels, one to one: at a fractional ratio, logical
    // coordinates would put the image and the border between pixels.
    const QTransform toDevice = p.deviceTransform();
    const double ratio = toDevice.m11();
    const QRect box =
        nearestPixels(QRectF(toDevice.dx(), toDevice.dy(), width() * ratio, height() * ratio));
    p.setWorldTransform(toDevice.inverted());
    const int b = deviceBorderWidth();
    const QRect inner = box.adjusted(b, b, -b, -b);
    const QImage& img = surface_->image();
    // A pixel of the surface is 1 / deviceScale_ of a logical pixel.
    const double k = ratio / deviceScale_;
    p.save();
    p.setClipRect(inner, Qt::IntersectClip);
    if (qFuzzyCompare(k, 1.0)) {
        p.drawImage(inner.topLeft(), img);
    } else {
        p.drawImage(
            QRect(inner.topLeft(), QSize(qRound(img.width() * k), qRound(img.height() * k))), img);
    }
    p.restore();
    if (b > 0) {
        const QColor black(Qt::black);
        p.fillRect(QRect(box.left(), box.top(), box.width(), b), black);
        p.fillRect(QRect(box.left(), box.bottom() - b + 1, box.width(), b), black);
        p.fillRect(QRect(box.left(), box.top(), b, box.height()), black);
        p.fillRect(QRect(box.right() - b + 1, box.top(), b, box.height()), black);
    }
}

void PictureBox::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (!fitting_) {
        surface_->resize(surfaceSizeFor(size()));
    }
}

void PictureBox::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange) {
        surface_->setPalette(palette());
    }
    QWidget::changeEvent(e);
}

void PictureBox::mousePressEvent(QMouseEvent* e) {
    const QPointF u = toUnits(e->position());
    emit mouseDown(buttonCode(e->button()), shiftCode(e->modifiers()), u.x(), u.y());
}

void PictureBox::mouseMoveEvent(QMouseEvent* e) {
    const QPointF u = toUnits(e->position());
    emit mouseMove(buttonCode(e->button()), shiftCode(e->modifiers()), u.x(), u.y());
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
    const QPointF u = toUnits(e->position());
    emit mouseUp(buttonCode(e->button()), shiftCode(e->modifiers()), u.x(), u.y());
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        emit dblClick();
    } else {
        mousePressEvent(e);
    }
}

}  // namespace tk
