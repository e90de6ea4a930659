#include "placement/ManualDrag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

namespace placement {

namespace {
constexpr int kOutlineWidth = 2;
}

DragOutline::DragOutline()
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus) {
    setObjectName(QStringLiteral("DragOutline"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
}

void DragOutline::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // Only the frame is a window; the wallpaper shows through the middle.
    const QRect outer = rect();
    const QRect inner =
        outer.adjusted(kOutlineWidth, kOutlineWidth, -kOutlineWidth, -kOutlineWidth);
    setMask(inner.isValid() ? QRegion(outer).subtracted(QRegion(inner)) : QRegion(outer));
}

void DragOutline::paintEvent(QPaintEvent* /*e*/) {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setPen(Qt::white);
    p.drawRect(rect().adjusted(1, 1, -2, -2));
}

ManualDrag::ManualDrag(QWidget* source, QWidget* grabber, const DragTrack& track,
                       Qt::MouseButton button, QPoint pointer)
    : source_(source), grabber_(grabber), track_(track), button_(button) {
    outline_ = new DragOutline;
    outline_->setGeometry(track_.outlineAt(pointer));
    outline_->show();
    grabber_->installEventFilter(this);
    grabber_->grabMouse();
    active_ = true;
}

ManualDrag::~ManualDrag() {
    end();
}

void ManualDrag::abandon() {
    end();
}

void ManualDrag::end() {
    if (!active_) {
        return;
    }
    active_ = false;
    if (grabber_) {
        grabber_->removeEventFilter(this);
        grabber_->releaseMouse();
    }
    if (outline_ != nullptr) {
        outline_->close();  // deletes itself
        outline_ = nullptr;
    }
}

void ManualDrag::follow(QPoint pointer) {
    if (outline_ != nullptr) {
        outline_->move(track_.outlineAt(pointer).topLeft());
    }
}

bool ManualDrag::eventFilter(QObject* watched, QEvent* event) {
    if (watched != grabber_ || !active_) {
        return QObject::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::MouseMove:
            follow(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
            return true;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            return true;  // other buttons do nothing while dragging
        case QEvent::MouseButtonRelease: {
            auto* me = static_cast<QMouseEvent*>(event);
            if (me->button() != button_) {
                return true;
            }
            const QPoint pointer = me->globalPosition().toPoint();
            end();  // the outline goes first, so it is not what lies under the pointer
            emit dropped(QApplication::widgetAt(pointer), pointer);
            return true;
        }
        case QEvent::Hide:
            end();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace placement
