#pragma once
// A card picture (the skin: key-coloured margin, outline, face) repainted in other colours,
// for any size of picture. The picture is a 24-bit DIB seen through a ByteView
// (BytesPerScanLine bytes by height rows); a pixel's colour value is
// blue + 256 * green + 65536 * red, as the window shape reads it.
#include <cstdint>

#include "toolkit/core/ByteView.h"
#include "toolkit/core/Contrast.h"

namespace imaging {

struct CardInks {
    tk::Rgb outline;
    tk::Rgb face;
};

// Every pixel of the key colour takes the new key, so the card keeps its shape; every other
// pixel keeps its place between the picture's own outline and face colours (a smoothed
// edge stays smooth), now between the new ones. The new key is the old one unless that is
// the new outline or face colour; then black, white or magenta, the first that is neither.
// Returns the new key. A view smaller than width x height raises tk::IndexOutOfRangeError
// before anything is written.
int32_t RecolourCard(tk::ByteView bits, int32_t width, int32_t height, int32_t key, CardInks from, CardInks to);

}  // namespace imaging
