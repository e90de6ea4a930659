#include "placement/PlacementStart.h"

#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <optional>

#include "composition/WallpaperGeometry.h"
#include "placement/CalendarChoice.h"
#include "placement/PlacementRules.h"
#include "placement/PlacementWindow.h"
#include "system/PrintableText.h"
#include "system/desktop/DesktopBackend.h"
#include "system/wallpaper/WallpaperStore.h"
#include "toolkit/Messages.h"
#include "toolkit/NativeGeometry.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Translations.h"
#include "toolkit/picture/PictureFile.h"

namespace placement {

namespace {

QString title() {
    return tk::Text::tr("Tessaryn Info.");
}

// The monitor as Qt shows it, with its device size where the window system
// tells it.
composition::Monitor monitorOf(const QScreen* screen) {
    if (screen == nullptr) {
        return {QRect(0, 0, 1024, 768), 1.0};
    }
    const std::optional<QRect> device = tk::nativeScreenGeometry(screen);
    return {screen->geometry(), screen->devicePixelRatio(), device ? device->size() : QSize()};
}

}  // namespace

PlacementWindow& PlacementStart::window(const CalendarChoice& choice,
                                        sys::WallpaperSettings& settings, QWidget* owner) {
    if (!window_ || window_->isClosing()) {
        window_ = new PlacementWindow(choice, settings, services_, owner);
    }
    return *window_;
}

PlacementWindow* PlacementStart::loadedWindow() const {
    return window_ && !window_->isClosing() ? window_.data() : nullptr;
}

void PlacementStart::start(tk::PictureBox& preview, const CalendarChoice& choice,
                           sys::WallpaperSettings& settings, QWidget* owner) {
    // 1. The calendar is drawn on the wallpaper in the preview's font.
    PlacementWindow& form = window(choice, settings, owner);
    form.wallpaperView->surface()->setFont(preview.surface()->font());

    // 2, 3. No wallpaper, nothing to do. The desktop is asked once what it
    // shows.
    const desktop::CurrentWallpaper shows = services_.desktop.current();
    settings = sys::WallpaperStore(services_.desktop).load(shows, settings);
    if (settings.picture.isEmpty()) {
        return;
    }

    // Where the desktop shows it: the monitor that holds the main window,
    // and the desktop's picture mode.
    const QScreen* screen = owner != nullptr && owner->screen() != nullptr
                                ? owner->screen()
                                : QGuiApplication::primaryScreen();
    const composition::Monitor monitor = monitorOf(screen);
    composition::WallpaperShow show;
    show.mode = shows.mode.value_or(settings.tiled ? desktop::PictureMode::Tiled
                                                   : desktop::PictureMode::Centered);
    show.atOrigin = !settings.origin.isNull() || settings.tiled;
    show.origin = settings.origin;
    for (const QScreen* s : QGuiApplication::screens()) {
        show.span |= monitorOf(s).deviceRect();
    }
    // A desktop shows a tiled picture all over the monitor; the hive alone
    // (no desktop) is placed on as one tile.
    show.wholeTiledMonitor = services_.desktop.name() != QStringLiteral("none");

    // 4. The wallpaper picture, at the size the desktop draws it where it
    // can choose (drawings, background descriptions).
    tk::LoadedPicture wallpaper =
        tk::LoadPicture(settings.picture, placement::pictureTarget(show.mode, monitor, show.span));
    auto cannotBeUsed = [&](const QString& why) {
        services_.messages.warn(tk::Text::tr("The wallpaper %1 cannot be used: %2.")
                                    .arg(sys::printable(QDir::toNativeSeparators(settings.picture)),
                                         sys::printable(why)),
                                title(), owner);
    };
    if (!wallpaper.ok()) {
        cannotBeUsed(wallpaper.error);
        return;
    }
    show.picture = wallpaper.image.size();
    const composition::WallpaperMapping mapping(show, monitor);
    if (mapping.visible().isEmpty()) {
        wallpaper = {};
        cannotBeUsed(tk::Text::tr("at its origin (%1, %2) no part of it is on the screen")
                         .arg(settings.origin.x())
                         .arg(settings.origin.y()));
        return;
    }

    // 5, 6. The calendar must fit on the wallpaper as the desktop shows it,
    // and on the part of it that is on the screen; both in device pixels. A
    // desktop that tiles shows the picture all over the monitor, however
    // small one tile is.
    const QSizeF calendar = QSizeF(preview.size()) * monitor.dpr;
    const QSizeF shown =
        mapping.tiled() ? QSizeF(mapping.visible().size()) : mapping.shown().size();
    if (!placement::calendarFitsShown(calendar, shown)) {
        wallpaper = {};
        services_.messages.inform(
            tk::Text::tr("壁紙のサイズがカレンダーより小さいようです。\r\n再設定して下さい。"),
            title(), owner);
        return;
    }
    if (!placement::calendarFitsShown(calendar, mapping.visible().size())) {
        wallpaper = {};
        services_.messages.inform(placement::partlyOnScreenMessage(
                                      calendar.toSize(), mapping.visible().size(),
                                      show.atOrigin ? std::optional(show.origin) : std::nullopt),
                                  title(), owner);
        return;
    }

    // 7. The window shows the wallpaper as the desktop does; the calendar
    // picture starts at the top-left corner of what is on the screen.
    form.setWallpaper(wallpaper.image, mapping, monitor.dpr);
    form.setTiling(show, monitor);
    form.setWallpaperHash(wallpaper.contentHash);
    wallpaper = {};
    form.calendarPicture->setPicture(preview.surface()->image());
    form.calendarPicture->move(0, 0);
    form.calendarPicture->setVisible(true);

    // 8. Over the wallpaper's place on the screen. Window managers keep
    // ordinary windows off their panels (GNOME moves a monitor-sized one
    // below its top bar), so a region reaching beyond the part they leave
    // to windows is covered by a full-screen window instead, with the
    // desktop's own colour beside the wallpaper.
    const QRect window = composition::logicalWindowRect(monitor, mapping.visible());
    const QRect whole = screen != nullptr ? screen->geometry() : window;
    const bool fullScreen = screen != nullptr && !screen->availableGeometry().contains(window) &&
                            whole.contains(window);
    const QColor around(shows.backgroundColor.value_or(QString()));
    form.coverRegion(window, whole, fullScreen, around.isValid() ? around : QColor(Qt::black),
                     mapping.visible().translated(monitor.geometry.topLeft()));

    // Modal: back here once the user finished or cancelled.
    form.showModal();
}

}  // namespace placement
