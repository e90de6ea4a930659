#pragma once
// Which font faces and sizes the font dialog offers, from the font database
// and the dialog's option flags.

#include <QStringList>

#include <cstdint>

namespace tk::fontdialog {

// The faces to list for the given flags, sorted without regard to case. Empty
// when the flags ask for neither screen nor printer fonts.
QStringList listFontFaces(int32_t flags);

// The sizes (points) to list for a face: the standard series for outline fonts
// and for faces the system lacks, the available sizes for a bitmap font.
QStringList listFontSizes(const QString& face);

}  // namespace tk::fontdialog
