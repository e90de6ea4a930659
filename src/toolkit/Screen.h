#pragma once
// The screen and the program as the windows see them: sizes in twips,
// twips per pixel, and the program's own directory.

#include <QString>

namespace tk::Screen {

double Width();   // twips
double Height();  // twips
double TwipsPerPixelX();
double TwipsPerPixelY();

}  // namespace tk::Screen

namespace tk::App {

// The directory of the running executable.
QString Path();

}  // namespace tk::App
