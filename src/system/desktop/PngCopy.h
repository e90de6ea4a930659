#pragma once
// A PNG copy of a picture, written fast: the pixels go into the file
// uncompressed (deflate's stored blocks), so a wallpaper of tens of millions
// of pixels costs little more than copying its bytes. A 24-bit bitmap, the
// program's own output, is read straight from the file; any other picture
// through Qt.

#include <QString>

namespace desktop {

// Writes `target` (replaced as a whole) from the picture at `source`; the
// reason on failure, else empty.
QString writePngCopy(const QString& source, const QString& target);

}  // namespace desktop
