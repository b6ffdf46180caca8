#pragma once
// The display scale's one rule: a length designed at 96 dots per inch, and a font size in
// points (1/72 inch), in pixels at a DPI, to the nearest pixel with halves to the even
// neighbour. Every layout number of the program's windows and of the card's skin is
// written at 96 dpi and passes through here with the DPI it is shown at.
#include <cstdint>

namespace tk {

// The dots per inch of a screen the system does not describe (and of most screens).
constexpr int kStandardDpi = 96;

// A length designed at 96 dpi, in pixels at `dpi`. A result beyond 32 bits raises
// OverflowError.
int32_t Scale(int32_t value96, int dpi);

// A font's height of `points`, in pixels at `dpi`.
int32_t PointsToPixels(double points, int dpi);

}  // namespace tk
