#include "toolkit/Screen.h"

namespace tk {

// Square pixels: the system has one DPI for both directions.
double TwipsPerPixelX() { return TwipsPerPixel(SystemDpi()); }
double TwipsPerPixelY() { return TwipsPerPixel(SystemDpi()); }

}  // namespace tk
