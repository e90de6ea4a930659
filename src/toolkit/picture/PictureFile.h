#pragma once
// Loading a picture file and saving a picture as a bitmap file.
//
// Bitmaps, which the wallpaper usually is (the program's own output), are
// read and written by hand: a wallpaper is tens of millions of pixels and the
// generic image readers take several times longer than the disk does. Other
// formats (PNG, JPEG, GIF, WebP, TIFF, SVG, ...) go through Qt's image
// readers; GNOME's background descriptions lead to the picture they show.

#include <QDateTime>
#include <QImage>
#include <QString>

namespace tk {

struct LoadedPicture {
    QImage image;   // Format_RGB32, dots per metre at the screen's resolution
    QString error;  // why there is no image; empty on success
    // XXH3-128 of the file's bytes as hex, taken while they were read; empty
    // for a picture that a background description led to.
    QByteArray contentHash;

    bool ok() const { return !image.isNull(); }
    // The natural size in 0.01 mm, at the screen's logical resolution.
    double widthHimetric() const;
    double heightHimetric() const;
};

// Where and how the picture will be shown, for pictures that have no one
// pixel size: a drawing (SVG) is rendered at the size the desktop shows it,
// a GNOME background description gives the picture for the monitor and the
// time.
struct PictureTarget {
    QSize monitor;  // device pixels; empty: not known
    enum class Fit {
        Natural,  // its own size
        Cover,    // scaled to cover the monitor, keeping its shape
        Contain,  // scaled to fit inside the monitor, keeping its shape
        Stretch,  // the monitor's size
    } fit = Fit::Natural;
    QDateTime now;  // invalid: the current time
};

// Reads the picture file at `path`. A damaged or cut-short file, a directory,
// a missing file or an unknown format gives no image and a reason.
LoadedPicture LoadPicture(const QString& path, const PictureTarget& target = {});

// A copy of `picture` that shares nothing with it; a wallpaper-sized one
// gets the same fast memory as a loaded picture (a plain copy of 100 MB
// costs tens of thousands of page faults).
QImage CopyPicture(const QImage& picture);

struct SaveResult {
    bool ok = false;
    QString error;  // why nothing was written; empty on success
    // With `hashed`: the content hash of the bytes written, as LoadPicture
    // gives it for the file.
    QByteArray contentHash;
};

// Saves `picture` as an uncompressed 24-bit bitmap at `path`. The file is
// replaced as a whole: the pixels go to a temporary file in the same
// directory, are flushed to the disk, and the temporary file is renamed over
// `path`. On failure `path` is untouched and no temporary file remains.
SaveResult SavePictureAsBitmap(const QImage& picture, const QString& path, bool hashed = false);

}  // namespace tk
