// The display scale: its one rule for lengths and fonts, and the card's skin drawn again by it.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <tuple>

#include "imaging/core/SkinScale.h"
#include "toolkit/core/DpiScale.h"
#include "toolkit/core/Errors.h"

TEST(DpiScale, LengthsAndPointSizesInPixelsAtADpiWithHalvesToEven) {
    const struct { int32_t value; int dpi, pixels; } lengths[] = {{272, 96, 272}, {201, 144, 302}, {5, 144, 8}, {3, 144, 4},
        {1, 144, 2}, {7, 120, 9}, {2, 120, 2}, {9, 192, 18}, {-3, 144, -4}, {1, 48, 0}};
    for (auto c : lengths) EXPECT_EQ(tk::Scale(c.value, c.dpi), c.pixels) << c.value << " at " << c.dpi;
    EXPECT_THROW(tk::Scale(INT32_MAX, 144), tk::OverflowError);
    const struct { double points; int dpi, pixels; } fonts[] = {{8.25, 96, 11}, {8.25, 144, 16}, {8.25, 120, 14}, {7.5, 120, 12}};
    for (auto c : fonts) EXPECT_EQ(tk::PointsToPixels(c.points, c.dpi), c.pixels) << c.points << " at " << c.dpi;
}

// resources/skin.bmp's pixels (its header: ResourceFilesTest.cpp).
static imaging::Picture24 Skin() {
    std::ifstream in(GLUMA_SOURCE_DIR "/resources/skin.bmp", std::ios::binary);
    in.ignore(54);
    return {284, 210, std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {})};
}

// The skin is a white margin (the key, also the bottom-left pixel), a black one-pixel outline
// around columns 5-276 and rows 5-205, yellow inside. At each scale the margin before the
// card, the card and its outline are the design's scaled (the outline at least one pixel);
// at 96 dpi the card drawn again is the file's picture pixel for pixel.
TEST(SkinScale, TheCardIsDrawnAgainAtEachScaleWithItsOutlineScaled) {
    const struct { int dpi, width, height, margin, cardWidth, cardHeight, outline; } cases[] = {{96, 284, 210, 5, 272, 201, 1},
        {120, 355, 262, 6, 340, 251, 1}, {144, 426, 315, 8, 408, 302, 2}, {192, 568, 420, 10, 544, 402, 2}, {48, 142, 105, 2, 136, 100, 1}};
    for (auto c : cases) {
        const imaging::Picture24 scaled = imaging::ScaleSkin(Skin(), c.dpi);
        const imaging::SkinCard card = imaging::FindCard(scaled);
        EXPECT_EQ(std::make_tuple(scaled.width, scaled.height, card.left, card.top, card.width, card.height, card.outline, card.key, card.outlineColour, card.fillColour),
                  std::make_tuple(c.width, c.height, c.margin, c.margin, c.cardWidth, c.cardHeight, c.outline, 0xFFFFFF, 0, 0xFFFF00)) << c.dpi;
    }
    EXPECT_TRUE(imaging::ScaleSkin(Skin(), 96).bits == Skin().bits);
    imaging::Picture24 corner = Skin(), blank{2, 2, std::vector<std::uint8_t>(16, 0xFF)};
    std::fill_n(corner.bits.begin() + 209 * 852, 3, 0);  // a black top-left pixel
    EXPECT_TRUE(imaging::FindCard(corner).left == 0 && imaging::FindCard(corner).key == 0xFFFFFF);
    EXPECT_EQ(imaging::FindCard(blank).width, 0) << "no card";
}
