#pragma once
// The files a drawing (SVG) draws from. Qt's SVG reader loads every
// <image xlink:href="name"> that is not inline data, by opening the file it
// names: a FIFO there would make it wait for ever, a device might never end.
// Those names are looked at first, the way the reader resolves them.

#include <QString>

namespace tk {

// Why the drawing at `path` (plain or gzip-compressed SVG) must not be
// drawn: a picture it names, or a drawing such a picture names in turn, is
// not a regular file. Empty when it may be drawn.
QString svgReferenceProblem(const QString& path);

}  // namespace tk
