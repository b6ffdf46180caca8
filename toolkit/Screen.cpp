#include "toolkit/Screen.h"

#include <windows.h>

#include "toolkit/Gdi.h"

namespace tk {
namespace {

double Measure(int capability) {
    ScopedGetDC screen(nullptr);
    int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), capability) : kStandardDpi;
    return 1440.0 / (dpi > 0 ? dpi : kStandardDpi);  // 1440 twips to the inch
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
