#pragma once
// Face names of the fonts the program ships with keep their spelling in the
// settings and on the font button; what is drawn for them comes from fonts a
// Debian desktop has.

#include <QStringList>

namespace tk {

void registerFontSubstitutes();

// The shipped face names registerFontSubstitutes() gives substitutes for.
QStringList shippedFaces();

}  // namespace tk
