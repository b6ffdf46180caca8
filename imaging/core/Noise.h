#pragma once
// The pixel step behind cDIBSection's RandomiseBits: fills a 24-bit bottom-up DIB with
// grey or coloured noise, in place, through a byte view over its bits.
#include <cstdint>

#include "toolkit/core/ByteView.h"
#include "toolkit/core/Random.h"

namespace imaging {

// Grey: row by row, pixel by pixel, one draw per pixel; its level goes to blue, green and
// red alike. Colour: column by column, and within a column row by row, two draws per
// pixel: green first, then red; blue is 0. The caller seeds `random`.
//
// The byte index of a row's last pixel, 3 * (width - 1), is 32-bit signed and raises
// tk::OverflowError when it overflows. A picture without pixels (width or height 0 or
// less) is left alone and nothing is drawn. Otherwise the view must hold width pixels in
// each of height rows, or tk::IndexOutOfRangeError is raised before anything is drawn or
// written. Padding bytes are never written.
void FillNoise(tk::ByteView& bits, int32_t width, int32_t height, bool gray, tk::Random& random);

// The level of one draw u = word / 2^32: round(u * 255), halves to even. Levels 1 .. 254
// each come up once in 255 draws, 0 and 255 once in 510.
inline uint8_t NoiseLevel(uint32_t word) noexcept {
    // u * 255 = word * 255 / 2^32 exactly; adding just under one half, plus one more when
    // the integer part is odd, and dropping the fraction rounds halves to even.
    uint64_t t = static_cast<uint64_t>(word) * 255u;
    uint64_t odd = (t >> 32) & 1u;
    return static_cast<uint8_t>((t + 0x7FFFFFFFu + odd) >> 32);
}

}  // namespace imaging
