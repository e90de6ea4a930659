#pragma once
// Units of length used by the program's windows and pictures, all converted
// through the screen's logical resolution (96 dots per inch on an ordinary
// screen): twips (1/1440 inch), points (1/72 inch), millimetres, pixels,
// and 0.01 mm (a loaded picture's natural size).

namespace tk {

// The units a surface can measure in, as its scale mode stores them.
struct Unit {
    static constexpr int Twips = 1;
    static constexpr int Points = 2;
    static constexpr int Millimeters = 6;
};

// The logical resolution used for every conversion. Read from the primary
// screen when a GUI application exists, otherwise 96.
double dpiX();
double dpiY();
// Tests and benchmarks may pin the resolution; 0 restores the screen's.
void overrideDpi(double dpi);

// Pixels per unit of the given scale mode, horizontally or vertically.
double pixelsPerUnitX(int scaleMode);
double pixelsPerUnitY(int scaleMode);

double twipsToPixelsX(double twips);
double twipsToPixelsY(double twips);
double pixelsToTwipsX(double px);
double pixelsToTwipsY(double px);

// A picture's natural size in 0.01 mm from its size in pixels.
double pixelsToHimetricX(double px);
double pixelsToHimetricY(double px);

}  // namespace tk
