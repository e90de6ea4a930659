#pragma once
// One desktop's wallpaper setting: how to read what it shows and how to make
// it show another picture. One backend per desktop; main has the factory pick
// one at start (TESSARYN_DESKTOP, or detected from the session) and hands it
// to whatever changes the wallpaper.

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "system/desktop/PictureMode.h"
#include "toolkit/Translations.h"

namespace desktop {

struct ApplyResult {
    ApplyResult() = default;
    ApplyResult(bool accepted, QString why, QString remark = {})
        : ok(accepted), error(std::move(why)), note(std::move(remark)) {}

    bool ok = false;
    QString error;  // one line for the user when !ok
    QString note;   // one line for the user when ok, but not all as asked
};

// What a desktop shows. Each value is nullopt where the backend has no live
// setting of its own: the hive's value then holds (its tiling deciding between
// centred and tiled where the mode is not known).
struct CurrentWallpaper {
    std::optional<QString> picture = {};  // a plain path, shown copies standing for their picture
    std::optional<bool> tiled = {};
    std::optional<PictureMode> mode = {};
    // Where the picture does not reach, as a "#rrggbb" name.
    std::optional<QString> backgroundColor = {};
    // What every place (the light and the dark picture, each monitor or
    // workspace) shows with its mode, as one line of text to keep for
    // restorePlaces(); empty where the backend does not tell its places apart.
    QString places = {};
};

class DesktopBackend {
public:
    virtual ~DesktopBackend() = default;

    // "none", "gnome", "xfce", ...
    virtual QString name() const = 0;

    // What the session lacks for this backend to reach its desktop, as one
    // line ("no X display (DISPLAY is not set)"); empty when nothing is
    // missing. Checked by a refresh started from a timer or at login before
    // it asks the desktop anything.
    virtual QString missingFromSession() const { return {}; }

    // What the desktop shows now, read once.
    virtual CurrentWallpaper current() { return {}; }

    // Make `path` the desktop's wallpaper, tiled or not (the tiling the hive's
    // "TileWallpaper" now records).
    virtual ApplyResult apply(const QString& path, bool tiled) = 0;

    // Why a picture this backend takes is not seen on the screen, as the end
    // of a sentence for the user (with a line of what to do); empty where the
    // desktop shows it, or the user chose a backend that shows nothing.
    virtual QString unseenReason() const { return {}; }

    // Gives each place of `saved` (CurrentWallpaper::places) back what it
    // showed. A place that now shows a picture for which `ours` is false is
    // left alone, and named, unless `force`. A saved picture `gone` that no
    // longer exists is shown as `replacement`.
    struct PlacesRestore {
        QString saved;
        std::function<bool(const QString&)> ours;
        bool force = false;
        QString gone;
        QString replacement;
    };
    struct PlacesResult {
        ApplyResult applied;
        int restored = 0;  // places given back
        QStringList leftAlone;
    };
    virtual PlacesResult restorePlaces(const PlacesRestore& request) {
        (void)request;
        return {{false, tk::Text::tr("this desktop keeps no places")}, 0, {}};
    }
};

}  // namespace desktop
