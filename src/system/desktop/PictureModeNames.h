#pragma once
// The picture modes as each desktop names them in its settings.

#include <QString>
#include <optional>

#include "system/desktop/PictureMode.h"

namespace desktop {

// GNOME, Cinnamon and MATE `picture-options`: "wallpaper", "centered",
// "scaled", "stretched", "zoom", "spanned"; "none" shows no picture and
// counts as centred.
// `byMutter`: the window manager draws the background (GNOME's mutter,
// Cinnamon's muffin), which stretches a spanned picture over the monitors and
// centres its tiles; MATE's desktop keeps a spanned picture's aspect.
std::optional<PictureMode> pictureModeFromGSettings(const QString& option, bool byMutter = false);
// xfdesktop's `image-style`: 0 none, 1 centred, 2 tiled, 3 stretched,
// 4 scaled, 5 zoomed, 6 spanning.
std::optional<PictureMode> pictureModeFromXfceStyle(const QString& style);
// feh's --bg-<mode>: "center", "tile", "fill", "max", "scale".
std::optional<PictureMode> pictureModeFromFeh(const QString& mode);
// nitrogen's mode number: 0 scaled (stretched), 1 tiled, 2 centred, 3 zoom
// (fitted inside), 4 auto, 5 zoom-fill.
std::optional<PictureMode> pictureModeFromNitrogen(const QString& mode);
// pcmanfm's wallpaper_mode: "tile", "stretch", "fit", "crop", "screen",
// "center"; "color" shows no picture.
std::optional<PictureMode> pictureModeFromPcmanfm(const QString& mode);
// pcmanfm-qt's WallpaperMode: "stretch", "fit", "center", "tile", "zoom";
// "none" and "transparent" show no picture.
std::optional<PictureMode> pictureModeFromPcmanfmQt(const QString& mode);
// swaybg's mode: "stretch", "fill" (its default), "fit", "center", "tile".
std::optional<PictureMode> pictureModeFromSwaybg(const QString& mode);

}  // namespace desktop
