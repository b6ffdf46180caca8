#pragma once
// One pixel of the program's 24-bit DIBs: three bytes in memory, blue, green, red. Its
// colour value is blue + 256 * green + 65536 * red (blue in the low byte): the value a
// key colour is compared with. A picture's key is its bottom-left pixel, the first pixel
// in memory of a bottom-up DIB.
#include <cstdint>

#include "toolkit/core/Contrast.h"

namespace imaging {

constexpr int32_t ColourValue(uint8_t blue, uint8_t green, uint8_t red) { return blue | green << 8 | red << 16; }
constexpr int32_t ColourValue(tk::Rgb colour) { return ColourValue(colour.b, colour.g, colour.r); }
constexpr tk::Rgb RgbOf(int32_t value) {
    return tk::Rgb{uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
}

inline int32_t ReadPixel(const uint8_t* bgr) { return ColourValue(bgr[0], bgr[1], bgr[2]); }
inline void WritePixel(uint8_t* bgr, uint32_t value) {
    bgr[0] = uint8_t(value), bgr[1] = uint8_t(value >> 8), bgr[2] = uint8_t(value >> 16);
}

// The key colour of a bottom-up picture whose bits start here: its bottom-left pixel.
inline int32_t KeyColour(const uint8_t* bits) { return ReadPixel(bits); }

}  // namespace imaging
