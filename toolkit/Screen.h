#pragma once
// Twips (1/1440 inch) per pixel at a DPI: 15 at 96 dots per inch.
#include "toolkit/Dpi.h"

namespace tk {

constexpr double TwipsPerPixel(int dpi) { return 1440.0 / dpi; }  // 1440 twips to the inch

}  // namespace tk
