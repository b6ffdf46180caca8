#include "imaging/core/CardRecolour.h"

#include <cmath>

#include "imaging/core/Pixel.h"
#include "toolkit/core/CheckedMath.h"

namespace imaging {
namespace {

int32_t KeyBesides(int32_t key, CardInks inks) {
    const int32_t taken[] = {ColourValue(inks.outline), ColourValue(inks.face)};
    for (int32_t candidate : {key, 0x000000, 0xFFFFFF, 0xFF00FF}) {
        if (candidate != taken[0] && candidate != taken[1]) return candidate;
    }
    return key;  // not reached: two colours cannot take four
}

// Where a pixel lies on the way from the outline colour to the face colour: 0 to 1.
double PlaceBetween(const uint8_t* bgr, CardInks from) {
    const double d[] = {double(from.face.b) - from.outline.b, double(from.face.g) - from.outline.g,
                        double(from.face.r) - from.outline.r};
    const double p[] = {double(bgr[0]) - from.outline.b, double(bgr[1]) - from.outline.g,
                        double(bgr[2]) - from.outline.r};
    const double length = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    if (length == 0) return 1;
    const double t = (p[0] * d[0] + p[1] * d[1] + p[2] * d[2]) / length;
    return t < 0 ? 0 : t > 1 ? 1 : t;
}

uint8_t Mix(uint8_t outline, uint8_t face, double t) {
    return static_cast<uint8_t>(std::lround(outline + t * (face - outline)));
}

}  // namespace

int32_t RecolourCard(tk::ByteView bits, int32_t width, int32_t height, int32_t key, CardInks from, CardInks to) {
    if (width <= 0 || height <= 0) return key;
    const int32_t rowBytes = tk::CheckedMul(width, 3);
    for (int32_t y = 0; y < height; ++y) bits.Row(y, rowBytes);  // every row checked before any is written
    const int32_t newKey = KeyBesides(key, to);
    const tk::Rgb keyColour = RgbOf(newKey);
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* px = bits.Row(y, rowBytes);
        for (int32_t x = 0; x < width; ++x, px += 3) {
            tk::Rgb c = keyColour;
            if (ReadPixel(px) != key) {
                const double t = PlaceBetween(px, from);
                c = tk::Rgb{Mix(to.outline.r, to.face.r, t), Mix(to.outline.g, to.face.g, t),
                            Mix(to.outline.b, to.face.b, t)};
            }
            WritePixel(px, ColourValue(c));
        }
    }
    return newKey;
}

}  // namespace imaging
