#include "imaging/core/SkinScale.h"

#include <algorithm>

#include "imaging/core/DibLayout.h"
#include "imaging/core/Pixel.h"
#include "toolkit/core/DpiScale.h"

namespace imaging {
namespace {

std::size_t At(const Picture24& p, int32_t x, int32_t rowFromTop) {
    return static_cast<std::size_t>(p.height - 1 - rowFromTop) * BytesPerScanLine(p.width) + 3 * x;
}

int32_t Get(const Picture24& p, int32_t x, int32_t row) { return ReadPixel(&p.bits[At(p, x, row)]); }

void Fill(Picture24& p, int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t colour) {
    for (int32_t row = top; row < bottom; ++row)
        for (int32_t x = left; x < right; ++x) WritePixel(&p.bits[At(p, x, row)], colour);
}

}  // namespace

SkinCard FindCard(const Picture24& p) {
    SkinCard card;
    if (p.width <= 0 || p.height <= 0) return card;
    card.key = KeyColour(p.bits.data());
    int32_t left = p.width, top = p.height, right = -1, bottom = -1;
    for (int32_t row = 0; row < p.height; ++row)
        for (int32_t x = 0; x < p.width; ++x)
            if (Get(p, x, row) != card.key) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, row), bottom = std::max(bottom, row);
            }
    if (right < 0) return card;
    card.left = left, card.top = top, card.width = right - left + 1, card.height = bottom - top + 1;
    card.outlineColour = Get(p, left, top);
    const int32_t middle = top + card.height / 2;
    while (card.outline < card.width / 2 && Get(p, left + card.outline, middle) == card.outlineColour) ++card.outline;
    card.fillColour = Get(p, left + card.outline, middle);
    return card;
}

Picture24 ScaleSkin(const Picture24& picture, int dpi) {
    const SkinCard card = FindCard(picture);
    Picture24 out;
    out.width = tk::Scale(picture.width, dpi);
    out.height = tk::Scale(picture.height, dpi);
    out.bits.assign(static_cast<std::size_t>(DibImageSize(out.width, out.height)), 0);
    Fill(out, 0, 0, out.width, out.height, card.key);
    if (card.width == 0) return out;
    const int32_t left = tk::Scale(card.left, dpi), top = tk::Scale(card.top, dpi);
    const int32_t right = std::min(out.width, left + tk::Scale(card.width, dpi));
    const int32_t bottom = std::min(out.height, top + tk::Scale(card.height, dpi));
    const int32_t t = std::max(1, tk::Scale(card.outline, dpi));
    Fill(out, left, top, right, bottom, card.outlineColour);
    Fill(out, left + t, top + t, right - t, bottom - t, card.fillColour);
    return out;
}

}  // namespace imaging
