#pragma once
// The skin picture for another display scale. The skin is a card (an outline of one colour
// around a fill of another) in a margin of the key colour. Resampling it would blend the
// outline into grey and make its sides unequal, and the window's shape would then take the
// blended pixels, a fringe, for card. Instead the card is read out of the 96-dpi picture
// (where the key ends, how thick the outline is, its colours) and drawn again at the new
// scale: every length scaled to the nearest pixel, the outline equally thick on all sides,
// no colour in the picture that the original does not have.
#include <cstdint>
#include <vector>

namespace imaging {

// A 24-bit bottom-up picture: rows of BytesPerScanLine(width) bytes, blue, green, red.
struct Picture24 {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> bits;
};

// Where the card lies in a skin picture, in pixels, rows counted from the top.
struct SkinCard {
    int32_t left = 0, top = 0, width = 0, height = 0;
    int32_t outline = 0;  // thickness
    int32_t key = 0, outlineColour = 0, fillColour = 0;  // colour values (imaging/core/Pixel.h)
};

// The card in a picture: the bounding box of its non-key pixels (the key is the bottom-left
// pixel), the outline's colour at its top-left corner, its thickness along the middle row
// from the left. A picture without a card gives width and height 0.
SkinCard FindCard(const Picture24& picture);

// The picture for a display at `dpi`: each of the picture's size, the margin before the
// card and the card's size scaled as a 96-dpi length (tk::Scale), the outline as thick as
// the original's scaled, at least one pixel.
Picture24 ScaleSkin(const Picture24& picture, int dpi);

}  // namespace imaging
