#pragma once
// Which font faces and sizes the font dialog offers, from the font database
// and the dialog's face filter.

#include <QStringList>

#include "toolkit/fontdialog/FontChoice.h"

namespace tk::fontdialog {

// The installed faces that pass `filter`, sorted without regard to case.
QStringList listFontFaces(const FontFilter& filter);

// The sizes (points) to list for a face: the standard series for outline fonts
// and for faces the system lacks, the available sizes for a bitmap font.
QStringList listFontSizes(const QString& face);

}  // namespace tk::fontdialog
