#include <gtest/gtest.h>

#include "imaging/core/CardRecolour.h"
#include "toolkit/core/Contrast.h"

using tk::Rgb;

// Published ratios (WCAG 2's examples and the usual checkers' figures, to two places).
TEST(Contrast, RatiosOfKnownPairsAndTheReadableSideOfTheLine) {
    const struct { Rgb a, b; double ratio; } cases[] = {
        {{0, 0, 0}, {255, 255, 255}, 21.0}, {{255, 255, 255}, {255, 255, 255}, 1.0}, {{118, 118, 118}, {255, 255, 255}, 4.54},
        {{119, 119, 119}, {255, 255, 255}, 4.48}, {{0, 0, 255}, {255, 255, 255}, 8.59}, {{0, 0, 255}, {0, 0, 0}, 2.44},
        {{255, 255, 0}, {0, 0, 0}, 19.56}, {{255, 0, 0}, {255, 255, 255}, 4.00}};
    for (const auto& c : cases) {
        EXPECT_NEAR(tk::ContrastRatio(c.a, c.b), c.ratio, 0.005) << int(c.a.r) << "," << int(c.a.g) << "," << int(c.a.b);
        EXPECT_TRUE(tk::ContrastRatio(c.b, c.a) == tk::ContrastRatio(c.a, c.b) && tk::Reads(c.a, c.b) == (c.ratio >= 4.5));
    }
}

// Margin (white key), outline (black), face (yellow) and a smoothed edge between them.
TEST(CardRecolour, TheKeyStaysTheKeyAndEveryOtherPixelKeepsItsPlaceBetweenOutlineAndFace) {
    const struct { imaging::CardInks to; int32_t key; uint8_t want[12]; } cases[] = {
        {{{0, 0, 128}, {0, 255, 0}}, 0xFFFFFF, {255, 255, 255, 128, 0, 0, 0, 255, 0, 64, 128, 0}},
        {{{255, 255, 255}, {0, 0, 0}}, 0xFF00FF, {255, 0, 255, 255, 255, 255, 0, 0, 0, 127, 127, 127}},
        {{{0, 0, 0}, {255, 255, 255}}, 0xFF00FF, {255, 0, 255, 0, 0, 0, 255, 255, 255, 128, 128, 128}},
        {{{0, 0, 128}, {255, 255, 255}}, 0x000000, {0, 0, 0, 128, 0, 0, 255, 255, 255, 192, 128, 128}}};
    for (const auto& c : cases) {
        uint8_t px[12] = {255, 255, 255, 0, 0, 0, 0, 255, 255, 0, 128, 128};  // blue, green, red
        EXPECT_EQ(imaging::RecolourCard(tk::ByteView(px, 12, 1), 4, 1, 0xFFFFFF, {{0, 0, 0}, {255, 255, 0}}, c.to), c.key);
        EXPECT_EQ(std::vector<uint8_t>(px, px + 12), std::vector<uint8_t>(c.want, c.want + 12)) << c.key;
    }
}
