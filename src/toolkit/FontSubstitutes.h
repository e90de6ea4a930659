#pragma once
// Face names of the fonts the program ships with keep their spelling in the
// settings and on the font button; what is drawn for them comes from fonts a
// Debian desktop has.

namespace tk {

void registerFontSubstitutes();

}  // namespace tk
