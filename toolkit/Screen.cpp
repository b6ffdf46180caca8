#include "toolkit/Screen.h"

#include <windows.h>

namespace tk {
namespace {

double Measure(int capability) {
    HDC dc = GetDC(nullptr);
    int dpi = dc ? GetDeviceCaps(dc, capability) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return 1440.0 / (dpi > 0 ? dpi : 96);
}

}  // namespace

// The program is not DPI-aware, so the dots per inch the system gives it stay the same for
// the whole run: measured once, not on every conversion (a screen DC is not free).
double TwipsPerPixelX() {
    static const double twips = Measure(LOGPIXELSX);
    return twips;
}

double TwipsPerPixelY() {
    static const double twips = Measure(LOGPIXELSY);
    return twips;
}

}  // namespace tk
