#include "toolkit/core/Contrast.h"

#include <cmath>

namespace tk {
namespace {

// An sRGB channel (0..255) back to linear light.
double Linear(uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(Rgb colour) {
    return 0.2126 * Linear(colour.r) + 0.7152 * Linear(colour.g) + 0.0722 * Linear(colour.b);
}

double ContrastRatio(Rgb a, Rgb b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return la > lb ? (la + 0.05) / (lb + 0.05) : (lb + 0.05) / (la + 0.05);
}

bool Reads(Rgb ink, Rgb ground) { return ContrastRatio(ink, ground) >= kReadableContrast; }

Rgb BlackOrWhiteOn(Rgb ground) {
    const Rgb black{0, 0, 0}, white{255, 255, 255};
    return ContrastRatio(black, ground) >= ContrastRatio(white, ground) ? black : white;
}

}  // namespace tk
