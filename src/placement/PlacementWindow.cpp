#include "placement/PlacementWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "composition/CalendarBounds.h"
#include "composition/FinishDrawing.h"
#include "composition/FinishRecord.h"
#include "composition/RecordLock.h"
#include "placement/CalendarChoice.h"
#include "placement/ManualDrag.h"
#include "system/DataFolder.h"
#include "system/PrintableText.h"
#include "system/desktop/DesktopBackend.h"
#include "system/wallpaper/WallpaperStore.h"
#include "toolkit/BusyPointer.h"
#include "toolkit/Colors.h"
#include "toolkit/CoveredPixels.h"
#include "toolkit/Messages.h"
#include "toolkit/NativeGeometry.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Rounding.h"
#include "toolkit/Translations.h"
#include "toolkit/Units.h"
#include "toolkit/picture/PictureFile.h"

namespace placement {

namespace {

QString title() {
    return tk::Text::tr("Tessaryn Info.");
}

double pointsToPixelsX(double points) {
    return points * tk::pixelsPerUnitX(tk::Unit::Points);
}
double pointsToPixelsY(double points) {
    return points * tk::pixelsPerUnitY(tk::Unit::Points);
}

QPointF pointsPerPixel() {
    return {1.0 / tk::pixelsPerUnitX(tk::Unit::Points), 1.0 / tk::pixelsPerUnitY(tk::Unit::Points)};
}

QString sentence(QString text) {
    if (!text.isEmpty()) {
        text[0] = text[0].toUpper();
        if (!text.endsWith(QLatin1Char('.'))) {
            text += QLatin1Char('.');
        }
    }
    return text;
}

}  // namespace

PlacementWindow::PlacementWindow(const CalendarChoice& choice, sys::WallpaperSettings& wallpaper,
                                 const Services& services, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint),
      choice_(&choice),
      services_(services),
      wallpaperSettings_(&wallpaper) {
    createControls();
    addHints();
}

PlacementWindow::~PlacementWindow() {
    if (drag_) {
        delete drag_.data();
    }
}

ManualDrag* PlacementWindow::currentDrag() const {
    return drag_.data();
}

QString PlacementWindow::outputFileName() {
    return QStringLiteral("Tessavel.bmp");
}

void PlacementWindow::createControls() {
    setObjectName(QStringLiteral("placementWindow"));
    setWindowTitle(QStringLiteral("Tessaryn"));
    setFocusPolicy(Qt::StrongFocus);
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, tk::resolveColor(tk::SystemColors::WindowBackground, pal));
        setPalette(pal);
        setAutoFillBackground(true);
    }
    // Design sizes in twips; the placement start replaces all of them.
    auto twips = [](double left, double top, double width, double height) {
        return QRect(qRound(tk::twipsToPixelsX(left)), qRound(tk::twipsToPixelsY(top)),
                     qRound(tk::twipsToPixelsX(width)), qRound(tk::twipsToPixelsY(height)));
    };
    resize(twips(0, 0, 4680, 3195).size());

    wallpaperView = new tk::PictureBox(this);
    wallpaperView->setObjectName(QStringLiteral("wallpaperView"));
    wallpaperView->setBoxGeometry(twips(900, 480, 1695, 795));
    wallpaperView->setBorder(false);
    wallpaperView->setAutoSize(true);
    {
        tk::PictureSurface& wall = *wallpaperView->surface();
        wall.setScaleMode(tk::Unit::Points);
        wall.setBackColor(tk::SystemColors::WindowBackground);
        wall.clear();
    }

    calendarPicture = new tk::PictureBox(wallpaperView);
    calendarPicture->setObjectName(QStringLiteral("calendarPicture"));
    calendarPicture->setBoxGeometry(twips(240, 180, 435, 375));
    calendarPicture->setBorder(true);
    calendarPicture->setAutoSize(true);
    {
        tk::PictureSurface& image = *calendarPicture->surface();
        image.setScaleMode(tk::Unit::Points);
        image.setBackColor(tk::SystemColors::WindowBackground);
        image.clear();
    }
    setTabOrder(wallpaperView, calendarPicture);

    // calendarPicture reports presses from inside its border; the drag measures from
    // its outer corner, the corner that Left and Top place, so that a press
    // and a release on the same spot leave it where it was.
    connect(calendarPicture, &tk::PictureBox::mouseDown, this,
            [this](int button, int shift, double x, double y) {
                const double border = calendarPicture->borderWidth();
                calendarPressed(button, shift,
                                static_cast<float>(x + border * pointsPerPixel().x()),
                                static_cast<float>(y + border * pointsPerPixel().y()));
            });
    connect(calendarPicture, &tk::PictureBox::dblClick, this, [this] { previewPlacement(); });
    connect(wallpaperView, &tk::PictureBox::mouseDown, this,
            [this](int button, int shift, double x, double y) {
                wallpaperPressed(button, shift, static_cast<float>(x), static_cast<float>(y));
            });
    connect(wallpaperView, &tk::PictureBox::dblClick, this, [this] { finishPlacement(); });
}

void PlacementWindow::addHints() {
    wallpaperView->setToolTip(tk::Text::tr("右クリックで再設定/ダブルクリックで完了"));
    calendarPicture->setToolTip(tk::Text::tr("右クリックでキャンセル/ダブルクリックでプレビュー"));
}

void PlacementWindow::coverRegion(const QRect& region, const QRect& monitor, bool fullScreen,
                                  const QColor& around, const QRect& device) {
    region_ = region;
    fullScreen_ = fullScreen;
    reported_ = false;
    setGeometry(fullScreen ? monitor : region);
    if (!fullScreen && !device.isEmpty() && dpr_ != std::floor(dpr_)) {
        // Logical pixels times a fractional ratio miss the device pixels by
        // one (683 x 1.5 is 1024.5, and Qt rounds that to 1025).
        tk::setNativeGeometry(this, device);
    }
    if (fullScreen) {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, around);
        setPalette(pal);
    }
    followRealGeometry();
}

QRect PlacementWindow::coveredRegion() const {
    return region_.isEmpty() ? geometry() : geometry().intersected(region_);
}

void PlacementWindow::followRealGeometry() {
    if (!region_.isEmpty()) {
        wallpaperView->move(region_.topLeft() - geometry().topLeft());
    }
}

void PlacementWindow::reportUncovered() {
    const QRect covered = coveredRegion();
    if (reported_ || region_.isEmpty() || covered == region_) {
        return;
    }
    reported_ = true;
    qWarning(
        "tessaryn: the window manager keeps the placement window at %d,%d %dx%d: of the "
        "wallpaper at %d,%d %dx%d only %d,%d %dx%d can be reached",
        geometry().x(), geometry().y(), geometry().width(), geometry().height(), region_.x(),
        region_.y(), region_.width(), region_.height(), covered.x(), covered.y(), covered.width(),
        covered.height());
}

void PlacementWindow::moveEvent(QMoveEvent* e) {
    QWidget::moveEvent(e);
    followRealGeometry();
}

void PlacementWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    followRealGeometry();
}

void PlacementWindow::showModal() {
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    connect(this, &PlacementWindow::closed, &loop, &QEventLoop::quit);
    if (fullScreen_) {
        setWindowState(windowState() | Qt::WindowFullScreen);
    }
    show();
    raise();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);  // Esc reaches the window
    if (!isHidden()) {
        loop.exec(QEventLoop::DialogExec);
    }
    // The window may be gone by now: nothing here touches it any more.
}

void PlacementWindow::closeWindow() {
    if (unloading_) {
        return;
    }
    unloading_ = true;
    if (drag_) {
        drag_->abandon();
    }
    close();
    deleteLater();
}

void PlacementWindow::closeEvent(QCloseEvent* e) {
    e->accept();
    if (!unloading_) {
        // Closed from outside (the window manager): the same as a cancel.
        unloading_ = true;
        if (drag_) {
            drag_->abandon();
        }
        deleteLater();
    }
    emit closed();
}

void PlacementWindow::mousePressEvent(QMouseEvent* e) {
    const QPointF p = e->position();
    windowPressed(tk::buttonCode(e->button()), tk::shiftCode(e->modifiers()),
                  static_cast<float>(tk::pixelsToTwipsX(p.x())),
                  static_cast<float>(tk::pixelsToTwipsY(p.y())));
}

void PlacementWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        closeWindow();  // a cancel, as the right button on the picture
        return;
    }
    QWidget::keyPressEvent(e);
}

void PlacementWindow::windowPressed(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    if (Button == tk::ButtonCode::Right) {
        closeWindow();
    }
}

void PlacementWindow::calendarPressed(int Button, int /*Shift*/, float X, float Y) {
    if (Button == tk::ButtonCode::Right) {
        closeWindow();
        return;
    }
    if (Button != tk::ButtonCode::Left && Button != tk::ButtonCode::Middle) {
        return;
    }
    const Qt::MouseButton button =
        Button == tk::ButtonCode::Middle ? Qt::MiddleButton : Qt::LeftButton;
    grabX = X;
    grabY = Y;
    const DragTrack track(
        QPointF(grabX, grabY),
        QPointF(tk::pixelsPerUnitX(tk::Unit::Points), tk::pixelsPerUnitY(tk::Unit::Points)),
        calendarPicture->size());
    const QPoint pointer = calendarPicture->mapToGlobal(track.toPixels(track.grab()));
    calendarPicture->setVisible(false);
    if (drag_) {
        delete drag_.data();
    }
    drag_ = new ManualDrag(calendarPicture, wallpaperView, track, button, pointer);
    drag_->setParent(this);
    connect(drag_, &ManualDrag::dropped, this, &PlacementWindow::dropped);
}

void PlacementWindow::dropped(QWidget* target, QPoint pointer) {
    auto* source = drag_ ? drag_->source() : nullptr;
    if (drag_) {
        drag_->deleteLater();
        drag_ = nullptr;
    }
    if (source != nullptr && target == wallpaperView) {
        const QPointF at = wallpaperView->toUnits(wallpaperView->mapFromGlobal(QPointF(pointer)));
        calendarDropped(source, static_cast<float>(at.x()), static_cast<float>(at.y()));
    }
}

void PlacementWindow::calendarDropped(QWidget* source, float X, float Y) {
    if (source != calendarPicture) {
        return;
    }
    const QPointF corner = DragTrack::dropCorner(X, Y, grabX, grabY);
    calendarPicture->move(qRound(pointsToPixelsX(corner.x())), qRound(pointsToPixelsY(corner.y())));
    calendarPicture->setVisible(true);
}

void PlacementWindow::wallpaperPressed(int Button, int /*Shift*/, float /*X*/, float /*Y*/) {
    if (Button == tk::ButtonCode::Right) {
        calendarPicture->setVisible(true);
    }
}

void PlacementWindow::setWallpaper(const QImage& wallpaper,
                                   const composition::WallpaperMapping& mapping, double dpr) {
    wallpaper_ = wallpaper;
    mapping_ = mapping;
    dpr_ = dpr > 0 ? dpr : 1;
    hasWallpaper_ = true;
    preview_.reset();
    previewComposed_ = QImage();
    wallpaperView->setDeviceScale(dpr_);
    wallpaperView->setPicture(viewOf(wallpaper_));
}

void PlacementWindow::setTiling(const composition::WallpaperShow& show,
                                const composition::Monitor& monitor) {
    show_ = show;
    monitor_ = monitor;
}

composition::PictureLayout PlacementWindow::layoutFor(
    const std::optional<composition::PlacedCalendar>& calendar) const {
    if (!mapping_.tiled() || !calendar) {
        return {};
    }
    if (mapping_.stretchesTile()) {
        return composition::stretchedTileLayout(mapping_);
    }
    return composition::tiledLayout(show_, monitor_,
                                    QRectF(mapping_.toScreen(calendar->at), previewSize_));
}

void PlacementWindow::ensureWallpaper() {
    if (hasWallpaper_) {
        return;
    }
    // Shown one to one: wallpaperView's picture is the wallpaper.
    wallpaper_ = wallpaperView->surface()->picture();
    composition::WallpaperShow show;
    show.picture = wallpaper_.size();
    show.atOrigin = true;
    mapping_ = composition::WallpaperMapping(show, {QRect(QPoint(0, 0), wallpaper_.size()), 1});
    dpr_ = 1;
    hasWallpaper_ = true;
}

bool PlacementWindow::reloadWallpaper() {
    // The same bytes load to the same pixels; a drawing is also rendered at
    // the size it had.
    tk::LoadedPicture again = tk::LoadPicture(wallpaperSettings_->picture);
    if (!again.ok() || again.contentHash != wallpaperHash_ || again.image.size() != loadedSize_) {
        return false;
    }
    wallpaper_ = std::move(again.image);
    return true;
}

QImage PlacementWindow::viewOf(const QImage& picture,
                               const composition::PictureLayout& layout) const {
    const QRect visible = mapping_.visible();
    if (mapping_.stretchesTile() && (layout.isOriginal() || layout.stretched)) {
        // The tile stretched over the monitor as the finish composes it, or
        // that picture itself; it covers the monitor.
        const QImage whole = layout.isOriginal()
                                 ? composition::composeLayout(
                                       picture, composition::stretchedTileLayout(mapping_), {})
                                 : picture;
        return visible == whole.rect() ? whole : whole.copy(visible);
    }
    if (mapping_.tiled()) {
        // 1:1, from where the desktop starts its tiles, or the monitor-sized
        // picture centred on the monitor.
        const QPointF corner =
            mapping_.shown().topLeft() + QPointF(layout.offset) - QPointF(visible.topLeft());
        QImage view(visible.size(), QImage::Format_RGB32);
        view.fill(Qt::black);
        QPainter p(&view);
        if (layout.isOriginal() || layout.tiled) {
            QBrush tiles(picture);
            tiles.setTransform(QTransform::fromTranslate(corner.x(), corner.y()));
            p.fillRect(view.rect(), tiles);
        } else {
            p.drawImage(corner, picture);
        }
        return view;
    }
    if (mapping_.oneToOne()) {
        const QRect part = visible.translated(-mapping_.shown().topLeft().toPoint());
        return part == picture.rect() ? picture : picture.copy(part);
    }
    // Scaled as the desktop scales it; where it shows no picture, black.
    QImage view(visible.size(), QImage::Format_RGB32);
    if (view.isNull() || picture.isNull()) {
        return {};
    }
    view.fill(Qt::black);
    QPainter p(&view);
    if (!p.isActive()) {
        return {};
    }
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(mapping_.shown().translated(-QPointF(visible.topLeft())), picture);
    p.end();
    return view;
}

composition::PlacedCalendar PlacementWindow::calendarUnderPicture() const {
    // The calendar starts at the picture's image, inside its border, where
    // the window shows it: device pixels from the wallpaper's corner, on the
    // monitor the mapping is for.
    const int border = calendarPicture->deviceBorderWidth(dpr_);
    const QPoint inner = calendarPicture->deviceRect(dpr_).topLeft() + QPoint(border, border) -
                         wallpaperView->deviceRect(dpr_).topLeft();
    const QPointF device(mapping_.visible().topLeft() + inner);
    const QFont font = wallpaperView->surface()->font();
    // On a tile stretched over the monitor, the finish's picture has the
    // monitor's pixels: the calendar is drawn there one to one.
    const bool own = mapping_.stretchesTile();
    composition::PlacedCalendar c;
    c.at = own ? device : mapping_.toWallpaper(device);
    c.fontPixels =
        std::min(font.pointSizeF() * tk::dpiY() / 72.0 * dpr_ * (own ? 1.0 : mapping_.scaleY()),
                 composition::kMaxFontPixels);
    c.kx = own ? 1 : 1 / mapping_.scaleX();
    c.ky = own ? 1 : 1 / mapping_.scaleY();
    if (!c.uneven()) {
        c.kx = c.ky = 1;  // drawn straight into the picture's pixels
    }
    c.face = font.family();
    c.bold = font.bold();
    c.italic = font.italic();
    c.underline = font.underline();
    c.strikeout = font.strikeOut();
    for (int k = 0; k <= 3; ++k) {
        c.colors[static_cast<size_t>(k)] = choice_->kindColor(k);
    }
    c.year = choice_->year();
    c.month = choice_->month();
    return c;
}

void PlacementWindow::previewPlacement() {
    reportUncovered();
    calendarPicture->setVisible(false);
    // Let the wallpaper under the picture repaint before the drawing.
    QCoreApplication::processEvents();
    ensureWallpaper();

    // The calendar goes into the wallpaper at its full resolution; the
    // window shows the result as the desktop will.
    preview_ = calendarUnderPicture();
    previewSize_ =
        QSizeF(calendarPicture->size() - QSize(2, 2) * calendarPicture->borderWidth()) * dpr_;
    previewComposed_ = QImage();
    previewLayout_ = layoutFor(preview_);
    QImage view;
    std::optional<tk::BusyPointer> busy(std::in_place);
    if (previewLayout_.isOriginal()) {
        // Drawn on the wallpaper itself and taken off again once the window
        // has its view: a wallpaper of 8K is not copied for a preview.
        tk::CoveredPixels covered;
        if (composition::drawCalendarsOn(wallpaper_, {*preview_}, covered)) {
            view = viewOf(wallpaper_);
            covered.restore(wallpaper_);
        }
    } else {
        // A block of tiles or a monitor-sized picture: no larger than the screen.
        previewComposed_ = composition::composeLayout(wallpaper_, previewLayout_, {*preview_});
        if (!previewComposed_.isNull()) {
            view = viewOf(previewComposed_, previewLayout_);
        }
    }
    busy.reset();
    if (view.isNull()) {
        preview_.reset();
        previewComposed_ = QImage();
        calendarPicture->setVisible(true);
        services_.messages.warn(sentence(composition::drawingFailure()), title(), this);
        return;
    }
    tk::PictureSurface& wall = *wallpaperView->surface();
    wall.clear();
    wall.drawImage(view);
}

// One finish on its way: what it has composed and what it undoes when it
// gives up.
struct PlacementWindow::FinishRun {
    // Busy until the finish shows its outcome.
    std::optional<tk::BusyPointer> busy{std::in_place};
    // What the finish draws on the wallpaper itself, taken off again when it
    // gives up: the window stays as it was.
    tk::CoveredPixels covered;
    // Composed on the kept original instead, the wallpaper as loaded is let
    // go of first (an 8K one is not held twice) and loaded again from its
    // file where the finish gives up or cannot use that original.
    bool letGo = false;
    composition::FinishPlan plan;
    composition::FinishDrawing drawing;
    QImage separate;                        // the picture, where it is not the wallpaper itself
    const QImage* composed = nullptr;       // the picture to save
    composition::PictureLayout viewLayout;  // where the window shows it
    QString path;
};

void PlacementWindow::finishPlacement() {
    FinishRun run;
    ensureWallpaper();
    // One writer of the composition at a time: a refresh that runs now
    // finishes first, or waits for this finish.
    composition::RecordLock lock;
    if (!lock.acquire(10000)) {
        giveUpFinish(run, lock.error());
        return;
    }
    if (!composeFinish(run) || !saveFinish(run)) {
        return;
    }
    const sys::WallpaperResult applied = applyFinish(run);
    recordFinish(run);
    lock.release();
    run.busy.reset();
    reportFinish(applied, run.path);
    closeWindow();
}

void PlacementWindow::giveUpFinish(FinishRun& run, const QString& why) {
    run.covered.restore(wallpaper_);
    const bool lost = run.letGo && wallpaper_.isNull() && !reloadWallpaper();
    run.busy.reset();
    QString message = tk::Text::tr("The new wallpaper could not be saved; nothing was changed.\n%1")
                          .arg(sentence(sys::printable(why)));
    if (lost) {
        message += QLatin1Char('\n') +
                   tk::Text::tr("The wallpaper %1 changed meanwhile; the placement ends.")
                       .arg(sys::printable(wallpaperSettings_->picture));
    }
    services_.messages.warn(message, title(), this);
    if (lost) {
        closeWindow();
    }
}

// Every recorded calendar, with the one of the last preview (where and as
// large as it was previewed, in wallpaper pixels), drawn on the kept original
// as a refresh draws them; on a tiled wallpaper, into the block of tiles that
// holds them.
bool PlacementWindow::composeFinish(FinishRun& run) {
    const composition::PictureLayout previewed =
        preview_ ? previewLayout_ : composition::PictureLayout{};
    // Only a wallpaper whose file tells by its hash that it loads the same
    // pixels again is let go of.
    auto letGoOfWallpaper = [this, &run] {
        if (!wallpaperHash_.isEmpty()) {
            loadedSize_ = wallpaper_.size();
            wallpaper_ = QImage();
            run.letGo = true;
        }
    };
    run.plan = composition::planFinish(wallpaperSettings_->picture, wallpaper_, wallpaperHash_,
                                       services_.desktop, preview_, wallpaperSettings_->tiled,
                                       previewed, letGoOfWallpaper);
    composition::FinishPlan& plan = run.plan;
    if (plan.baseIsLoaded && wallpaper_.isNull() && run.letGo) {
        // The kept original cannot be used: drawn on the picture as loaded.
        if (!reloadWallpaper()) {
            giveUpFinish(run, plan.message);
            return false;
        }
        plan.base = wallpaper_;
    }
    run.drawing = composition::finishDrawing(plan, preview_, mapping_.tiled());
    const std::vector<composition::PlacedCalendar> calendars =
        run.drawing.asPreviewed ? std::vector<composition::PlacedCalendar>{*preview_}
                                : plan.calendars;
    if (run.drawing.onLoaded) {
        plan.base = QImage();
        if (!composition::drawCalendarsOn(wallpaper_, calendars, run.covered)) {
            giveUpFinish(run, composition::drawingFailure());
            return false;
        }
        run.composed = &wallpaper_;
    } else {
        run.separate =
            run.drawing.asPreviewed && !previewComposed_.isNull()
                ? previewComposed_
                : composition::composeLayout(std::move(plan.base), plan.layout, calendars);
        if (run.separate.isNull()) {
            giveUpFinish(run, composition::drawingFailure());
            return false;
        }
        run.composed = &run.separate;
    }
    // On our own picture the new one lies where the old one does.
    run.viewLayout = plan.layout;
    if (plan.onOurOutput) {
        run.viewLayout.offset = QPoint();
    }
    return true;
}

bool PlacementWindow::saveFinish(FinishRun& run) {
    composition::FinishPlan& plan = run.plan;
    run.path = sys::dataFolder() + QLatin1Char('/') + outputFileName();
    // Remembered first, as still to be composed: a finish cut short is
    // composed again by the next refresh.
    if (plan.recorded) {
        if (const QString e = composition::beginFinish(plan); !e.isEmpty()) {
            plan.recorded = false;
            plan.message = e;
        }
    }
    // The picture is saved before it becomes the box's picture, so that a
    // failed save leaves the window exactly as it was.
    const tk::SaveResult saved = tk::SavePictureAsBitmap(*run.composed, run.path);
    if (!saved.ok) {
        if (plan.recorded) {
            composition::undoFinish(plan);
        }
        giveUpFinish(run, saved.error);
        return false;
    }
    wallpaperView->setPicture(viewOf(*run.composed, run.viewLayout));
    return true;
}

sys::WallpaperResult PlacementWindow::applyFinish(const FinishRun& run) {
    wallpaperSettings_->picture = run.path;
    // The finish keeps the wallpaper's origin and shows the bitmap untiled,
    // or tiled where it is a block of the tiles the desktop showed.
    sys::WallpaperSettings shown = *wallpaperSettings_;
    shown.tiled = run.drawing.tiled;
    return sys::WallpaperStore(services_.desktop).apply(shown);
}

// Remembered so that the calendar can be renewed and the original restored.
void PlacementWindow::recordFinish(FinishRun& run) {
    composition::FinishPlan& plan = run.plan;
    if (plan.recorded) {
        if (const QString e = composition::completeFinish(plan); !e.isEmpty()) {
            plan.recorded = false;
            plan.message = e;
        }
    }
    if (!plan.recorded) {
        qWarning("tessaryn: the calendar cannot be renewed later: %s",
                 qPrintable(sys::printable(plan.message)));
    }
}

void PlacementWindow::reportFinish(const sys::WallpaperResult& applied, const QString& path) {
    if (!applied.ok) {
        services_.messages.warn(
            tk::Text::tr("%1 was saved, but the desktop could not show it.\n%2")
                .arg(sys::printable(path), sentence(sys::printable(applied.error))),
            title(), this);
    } else if (const QString unseen = services_.desktop.unseenReason(); !unseen.isEmpty()) {
        services_.messages.warn(
            tk::Text::tr("%1 was saved, but %2").arg(sys::printable(path), unseen), title(), this);
    } else if (!applied.note.isEmpty()) {
        services_.messages.inform(sentence(applied.note), title(), this);
    }
}

}  // namespace placement
