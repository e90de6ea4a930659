#include "placement/PlacementStart.h"

#include <QDir>
#include <QPointer>

#include "placement/CalendarChoice.h"
#include "placement/Form2.h"
#include "placement/PlacementRules.h"
#include "system/Module1.h"
#include "system/wallpaper/WallpaperSettings.h"
#include "toolkit/MessageBox.h"
#include "toolkit/PictureBox.h"
#include "toolkit/Screen.h"
#include "toolkit/Units.h"
#include "toolkit/picture/PictureFile.h"

namespace {

QPointer<Form2> g_form2;

const QString kTitle = QStringLiteral("Tessaryn Info.");

// The window is created and loaded the first time it is touched.
Form2& placementWindow(const CalendarChoice& choice, QWidget* owner) {
    if (!g_form2 || g_form2->isUnloaded()) {
        g_form2 = new Form2(choice, owner);
    }
    return *g_form2;
}

}  // namespace

Form2* loadedPlacementWindow() {
    return g_form2 && !g_form2->isUnloaded() ? g_form2.data() : nullptr;
}

void StartPlacement(tk::PictureBox& Picture1, const CalendarChoice& choice, QWidget* owner) {
    // 1. The calendar is drawn on the wallpaper in the preview's font.
    Form2& form = placementWindow(choice, owner);
    form.picWall->surface()->setFont(Picture1.surface()->font());

    // 2, 3. No wallpaper, nothing to do.
    Module1::LoadWallpaperSettings();
    if (Module1::strWallpaper.isEmpty()) {
        return;
    }

    // 4. The wallpaper picture.
    tk::LoadedPicture wallpaper = tk::LoadPicture(Module1::strWallpaper);
    if (!wallpaper.ok()) {
        tk::MsgBox(QStringLiteral("The wallpaper %1 cannot be used: %2.")
                       .arg(QDir::toNativeSeparators(Module1::strWallpaper), wallpaper.error),
                   tk::vbExclamation, kTitle, owner);
        return;
    }

    // 5, 6. The calendar must fit on it. The main window measures in
    // millimetres, a picture's natural size is in 0.01 mm.
    const double previewWidth = Picture1.width() / tk::pixelsPerUnitX(tk::vbMillimeters);
    const double previewHeight = Picture1.height() / tk::pixelsPerUnitY(tk::vbMillimeters);
    if (!placement::calendarFits(previewWidth, previewHeight, wallpaper.widthHimetric(),
                                 wallpaper.heightHimetric())) {
        wallpaper = {};
        tk::MsgBox(QStringLiteral("壁紙のサイズがカレンダーより小さいようです。") +
                       QStringLiteral("\r\n") + QStringLiteral("再設定して下さい。"),
                   tk::vbInformation, kTitle, owner);
        return;
    }

    // The window's place (step 8) is settled before the window is filled: an
    // origin beyond reach stops here, without a wallpaper left in a hidden
    // window. The window will be exactly as large as the picture.
    placement::WallpaperPlace place;
    place.originX = Module1::lngOriginX;
    place.originY = Module1::lngOriginY;
    place.tile = Module1::intTileWallpaper;
    place.twipsPerPixelX = Module1::intTwipsPerPixelX;
    place.twipsPerPixelY = Module1::intTwipsPerPixelY;
    const auto formWidth = static_cast<float>(tk::pixelsToTwipsX(wallpaper.image.width()));
    const auto formHeight = static_cast<float>(tk::pixelsToTwipsY(wallpaper.image.height()));
    const std::optional<QPoint> corner = placement::windowPositionTwips(
        place, static_cast<float>(tk::Screen::Width()), static_cast<float>(tk::Screen::Height()),
        formWidth, formHeight);
    if (!corner) {
        tk::MsgBox(
            QStringLiteral("The wallpaper's origin (%1, %2) lies outside the screen positions "
                           "this program can reach.")
                .arg(Module1::lngOriginX)
                .arg(Module1::lngOriginY),
            tk::vbExclamation, kTitle, owner);
        return;
    }

    // 7. The wallpaper fills the window, the calendar picture starts at its
    // top-left corner.
    form.picWall->setPicture(wallpaper.image);
    wallpaper = {};
    form.picWall->move(0, 0);
    form.resize(form.picWall->size());
    form.Image1->setPicture(Picture1.surface()->Image());
    form.Image1->move(0, 0);
    form.Image1->setVisible(true);

    // 8. Over the wallpaper's place on the screen.
    form.move(qRound(tk::twipsToPixelsX(corner->x())), qRound(tk::twipsToPixelsY(corner->y())));

    // Modal: back here once the user finished or cancelled.
    form.ShowModal();
}
