#pragma once
// The placement window: borderless, lying exactly over the wallpaper's place
// on the screen, with the wallpaper in `wallpaperView` and the calendar picture in
// `calendarPicture` on it. The user drags the picture, double-clicks it to draw the
// calendar onto the wallpaper there, right-clicks the wallpaper to get the
// picture back, double-clicks the wallpaper to save the result as the new
// desktop wallpaper, or right-clicks the picture to cancel.

#include <QColor>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <optional>
#include <vector>

#include "composition/CalendarComposition.h"
#include "composition/TiledLayout.h"
#include "composition/WallpaperGeometry.h"
#include "placement/Services.h"
#include "system/wallpaper/WallpaperStore.h"

namespace tk {
class PictureBox;
}

namespace placement {

class CalendarChoice;
class ManualDrag;

class PlacementWindow : public QWidget {
    Q_OBJECT
public:
    // `choice` (the main window) gives the month and the colours of a
    // preview; `wallpaper` is the desktop wallpaper the placement started
    // from, and the finish makes its picture the composed bitmap; `services`
    // gives the desktop it goes to and the message boxes. All must outlive
    // the window.
    PlacementWindow(const CalendarChoice& choice, sys::WallpaperSettings& wallpaper,
                    const Services& services, QWidget* owner = nullptr);
    ~PlacementWindow() override;

    tk::PictureBox* wallpaperView = nullptr;
    tk::PictureBox* calendarPicture = nullptr;

    // Where the press that started the current drag caught calendarPicture: points
    // from its outer left and top edges.
    float grabX = 0;
    float grabY = 0;

    // The wallpaper at its full resolution and where the desktop shows it:
    // the window covers `mapping.visible()` of a monitor with device pixel
    // ratio `dpr`, and wallpaperView shows that part as the desktop does, in
    // device pixels. Without this call the window shows wallpaperView's picture
    // one to one, and that picture is the wallpaper.
    void setWallpaper(const QImage& wallpaper, const composition::WallpaperMapping& mapping,
                      double dpr);
    // Where the mapping shows the whole tiled monitor: how the desktop shows
    // it, so that the finish can write a picture it tiles the same way.
    void setTiling(const composition::WallpaperShow& show, const composition::Monitor& monitor);

    // Where the window shows the wallpaper: `region`, in the logical
    // coordinates windows are placed in. With `fullScreen` the window covers
    // the whole monitor `monitor` (the one state every window manager lets
    // reach over its panels) and shows `around` beside the wallpaper, as the
    // desktop does. Wherever the window manager really puts the window, the
    // wallpaper stays at `region` on the screen. `device` is the region in
    // device pixels, which at a fractional scale no logical rectangle is: the
    // window covers exactly that where the window system lets it.
    void coverRegion(const QRect& region, const QRect& monitor, bool fullScreen,
                     const QColor& around, const QRect& device = {});
    // The part of the region the window really covers now.
    QRect coveredRegion() const;

    // The content hash of the wallpaper file as it was loaded (empty when
    // not known): the finish keeps that picture as the original.
    void setWallpaperHash(const QByteArray& hash) { wallpaperHash_ = hash; }

    // The calendar the last preview drew, in wallpaper pixels (where the
    // desktop stretches a tile over the monitor, the monitor's); nothing
    // before the first preview.
    const std::optional<composition::PlacedCalendar>& lastPreview() const { return preview_; }

    // Shows the window modally and returns once it is closed.
    void showModal();
    // Closes and destroys the window.
    void closeWindow();
    bool isClosing() const { return unloading_; }

    // The drag under way, if any.
    ManualDrag* currentDrag() const;

    // The window's event handlers. Mouse positions are in the control's own
    // unit: twips for the window, points for the two picture boxes.
    void addHints();
    void windowPressed(int Button, int Shift, float X, float Y);
    void calendarPressed(int Button, int Shift, float X, float Y);
    void previewPlacement();
    void wallpaperPressed(int Button, int Shift, float X, float Y);
    void calendarDropped(QWidget* source, float X, float Y);
    void finishPlacement();

    // The name of the output bitmap in the data folder.
    static QString outputFileName();

signals:
    // The window was closed: finished or cancelled.
    void closed();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void createControls();
    void dropped(QWidget* target, QPoint pointer);
    void ensureWallpaper();
    // wallpaper_ as it was loaded, from its file again; false where the file
    // no longer gives that picture.
    bool reloadWallpaper();
    // Keeps wallpaperView at the region's place on the screen.
    void followRealGeometry();
    // Says once when the window manager keeps part of the region out of reach.
    void reportUncovered();
    // The calendar as it would be drawn with calendarPicture's picture where it is now.
    composition::PlacedCalendar calendarUnderPicture() const;
    // `picture` (the wallpaper, or it composed) as the window shows it.
    QImage viewOf(const QImage& picture, const composition::PictureLayout& layout = {}) const;
    // The picture the finish writes for the preview's calendar, if any.
    composition::PictureLayout layoutFor(
        const std::optional<composition::PlacedCalendar>& calendar) const;

    // The finish, step by step: compose, save, apply, record, report. A step
    // that gives up says why and leaves the window as it was.
    struct FinishRun;
    bool composeFinish(FinishRun& run);
    bool saveFinish(FinishRun& run);
    sys::WallpaperResult applyFinish(const FinishRun& run);
    void recordFinish(FinishRun& run);
    void reportFinish(const sys::WallpaperResult& applied, const QString& path);
    void giveUpFinish(FinishRun& run, const QString& why);

    const CalendarChoice* choice_;
    Services services_;
    sys::WallpaperSettings* wallpaperSettings_;
    QPointer<ManualDrag> drag_;
    bool unloading_ = false;
    QRect region_;  // none: the wallpaper at the window's corner
    bool fullScreen_ = false;
    bool reported_ = false;

    QImage wallpaper_;  // full resolution, as loaded: a preview's drawing is taken off again
    composition::WallpaperMapping mapping_;
    double dpr_ = 1;
    bool hasWallpaper_ = false;
    std::optional<composition::PlacedCalendar> preview_;
    QSizeF previewSize_;  // the preview's calendar picture, device pixels
    composition::PictureLayout previewLayout_;
    // The picture the finish writes for the preview's calendar where that is
    // not the wallpaper itself: a block of tiles or a monitor-sized picture.
    QImage previewComposed_;
    composition::WallpaperShow show_;  // with setTiling
    composition::Monitor monitor_;
    QByteArray wallpaperHash_;
    QSize loadedSize_;  // wallpaper_'s size when the finish let go of it
};

}  // namespace placement
