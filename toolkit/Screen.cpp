#include "toolkit/Screen.h"

#include <windows.h>

namespace tk {
namespace {
double TwipsPerPixel(int capability) {
    HDC dc = GetDC(nullptr);
    int dpi = dc ? GetDeviceCaps(dc, capability) : 96;
    if (dc) ReleaseDC(nullptr, dc);
    return 1440.0 / (dpi > 0 ? dpi : 96);
}
}  // namespace

double TwipsPerPixelX() { return TwipsPerPixel(LOGPIXELSX); }
double TwipsPerPixelY() { return TwipsPerPixel(LOGPIXELSY); }

}  // namespace tk
