#pragma once
// Turning what desktops store into plain paths and back, and the "shown
// copies": desktops that ignore a path they already show, or that cannot load
// bitmaps, are handed a fresh copy beside the picture instead of the picture.

#include <QImage>
#include <QString>
#include <QStringList>

namespace desktop {

// A desktop's picture setting as a plain path: file:// URIs, percent-encoded
// or not, and plain paths. Empty for an empty setting or a URI of another scheme.
QString pathFromSetting(const QString& setting);

// The encoded file:// URI of a local path.
QString fileUriOf(const QString& path);

// An absolute path to an existing, readable picture, or a message saying why
// `path` is none.
struct CheckedPicture {
    QString path;
    QString error;
};
CheckedPicture checkPicture(const QString& path);

// `picture` refused when its path holds a line break, for a desktop whose
// tool `keeper` writes the path as one line of a text file or is handed it in
// a line-based request: the rest of the name would read as a setting or a
// request of its own. Checked before the tool is run.
CheckedPicture refuseLineBreak(CheckedPicture picture, const QString& keeper);

enum class CopyFormat { Same, Png };

// The copy of `source` to hand to the desktop: "<directory>/.<name>.shown-1.<ext>"
// or "-2", whichever the desktop does not show now (`shown`, a plain path).
// `directory` is the program's own folder (created when missing), never the
// user's: a comma in the name becomes "_". Empty with `error` set when it
// cannot be written.
QString makeShownCopy(const QString& source, const QString& shown, CopyFormat format,
                      QString* error, const QString& directory);

// A copy of `source` in `directory` under a name never handed out before
// (".<name>.shown-<n>.<ext>", n growing), for a desktop that must never be
// handed a path it showed once. Earlier such copies of the same name are
// removed, except the paths in `stillShown`. Empty with `error` set when it
// cannot be written.
// With `content`, the copy holds that picture instead of the source's bytes
// (in the source's format where Qt writes it, else as PNG), and a note
// ("<copy>.tiled") says it is the source tiled over the whole screen.
QString makeFreshCopy(const QString& source, const QString& directory,
                      const QStringList& stillShown, QString* error,
                      const QImage* content = nullptr);

// Whether `path` is a fresh copy holding its picture tiled over the screen.
bool isTiledScreenCopy(const QString& path);

// What to hand a desktop that ignores a path it already shows: `source`
// itself when the desktop shows another path and `source` is not a file of
// the program's own folder `directory` (which the program rewrites in place),
// else a shown copy there. Empty with `error` set when the copy fails.
QString pathToHand(const QString& source, const QString& shown, const QString& directory,
                   QString* error);

// The picture a shown copy stands for, when it still exists: beside the copy,
// or named in the note a copy of a picture from elsewhere keeps beside it
// ("<copy>.source"). Any other path unchanged.
QString originalOfShownCopy(const QString& path);

bool isShownCopy(const QString& path);

}  // namespace desktop
