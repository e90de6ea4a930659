#pragma once
// Desktops that keep a picture per monitor, workspace or desktop: which of
// those places a finish changes. The placement starts from the picture the
// backend reported; the finish replaces that picture wherever it is shown and
// leaves every other place its own wallpaper.

#include <QList>
#include <QString>
#include <optional>

namespace desktop {

class StartedPicture {
public:
    // The picture the backend reported as the wallpaper (a plain path, shown
    // copies standing for their picture).
    void remember(const QString& picture);

    // The indexes of `shown` (each place's picture as the desktop has it) to
    // change: those showing the remembered picture (without one, the first
    // place's, which is the one reported); when no place shows it any more,
    // the first place.
    QList<qsizetype> placesToChange(const QList<QString>& shown) const;

private:
    std::optional<QString> started_;
};

// One place as the finish found it, kept in the record so that a restore can
// give it back: the place's name, its picture as the desktop has it, its mode
// and, where the desktop draws with plugins, the plugin.
struct SavedPlace {
    QString place;
    QString picture;
    QString mode;
    QString plugin;
};
// As one line: "place=picture,mode[,plugin];..." with each field percent-encoded.
QString savedPlacesText(const QList<SavedPlace>& places);
QList<SavedPlace> parseSavedPlaces(const QString& text);

}  // namespace desktop
