#pragma once
// The manual drag of a control: the program's own, not Qt's drag and drop.
// At the press the pointer is grabbed, an outline of the control's size
// follows it, and at the release the widget under the pointer is reported
// for the drop. Everything stays within the window that was pressed, so the
// platform still recognises the next press as the second half of a
// double-click.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "placement/DragTrack.h"

namespace placement {

// The outline that follows the pointer: a frame two pixels wide, black
// outside and white inside so that it shows on any wallpaper. It never takes
// the pointer or the focus.
class DragOutline : public QWidget {
public:
    DragOutline();

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
};

class ManualDrag : public QObject {
    Q_OBJECT
public:
    // Starts at once: `grabber` (visible, usually the control's container)
    // takes the pointer until `button` is released, and the outline appears
    // for the pointer at `pointer` (screen pixels).
    ManualDrag(QWidget* source, QWidget* grabber, const DragTrack& track, Qt::MouseButton button,
               QPoint pointer);
    // Ends a drag still running, without a drop.
    ~ManualDrag() override;

    QWidget* source() const { return source_; }
    const DragOutline* outline() const { return outline_; }
    bool active() const { return active_; }

    // Ends the drag without a drop (the window is going away).
    void abandon();

signals:
    // The button was released at `pointer` (screen pixels) over `target`,
    // the widget there, or nullptr where there is none of this program's.
    void dropped(QWidget* target, QPoint pointer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QPoint pointer);
    void end();

    QPointer<QWidget> source_;
    QPointer<QWidget> grabber_;
    DragTrack track_;
    Qt::MouseButton button_;
    DragOutline* outline_ = nullptr;
    bool active_ = false;
};

}  // namespace placement
