#pragma once
// The screen's twips (1/1440 inch) per pixel at the system DPI: 15 at 96 dots per inch.
// A window's own twips per pixel follow its DPI (tk::Form::TwipsPerPixel).
#include "toolkit/Dpi.h"

namespace tk {

constexpr double TwipsPerPixel(int dpi) { return 1440.0 / dpi; }  // 1440 twips to the inch
double TwipsPerPixelX();
double TwipsPerPixelY();

}  // namespace tk
