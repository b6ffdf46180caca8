#pragma once
// How well one colour reads on another, as WCAG 2 measures it: the relative luminance of
// an sRGB colour and the contrast ratio of two, from 1:1 (the same) to 21:1 (black on
// white). Text reads when its ratio to what it is drawn on is at least 4.5:1.
#include <cstdint>

namespace tk {

struct Rgb {
    uint8_t r, g, b;
    friend bool operator==(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }
    friend bool operator!=(Rgb a, Rgb b) { return !(a == b); }
};

constexpr double kReadableContrast = 4.5;

// 0 for black to 1 for white.
double RelativeLuminance(Rgb colour);
// (lighter + 0.05) / (darker + 0.05), whichever of the two is lighter.
double ContrastRatio(Rgb a, Rgb b);

// Whether text in this ink reads on this ground (4.5:1 or more).
bool Reads(Rgb ink, Rgb ground);
// Black or white, whichever reads better on the ground; one of them always reads (at
// least 4.58:1).
Rgb BlackOrWhiteOn(Rgb ground);

}  // namespace tk
