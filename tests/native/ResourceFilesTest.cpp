// The picture files that GlumaNote.rc builds into the program, as committed (they are drawn
// by scripts/make-resources.py): a regenerated file that drifts from what the program
// needs fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <tuple>

#include "imaging/core/SkinScale.h"
#include "toolkit/core/PixelRuns.h"

using Bytes = std::vector<std::uint8_t>;

static Bytes Read(const std::string& name) {
    std::ifstream in(std::string(GLUMA_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
static std::uint32_t U16(const Bytes& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }

// skin.bmp is 284 x 210, 24 bits, bottom-up, with no palette or padding. The program carries
// it as pixel runs: expanded, they are skin.bmp byte for byte; runs that are cut short, hold no
// pixel, or overflow the file size the header gives are refused.
TEST(ResourceFiles, SkinIsATwentyFourBitPictureThatItsRunsExpandToByteForByte) {
    const Bytes bmp = Read("skin.bmp"), runs = Read("skin.runs");
    ASSERT_EQ(bmp.size(), 54u + 210u * 852u);
    // The low halves of the header's fields: type, pixel offset, width, height, bits, compression.
    EXPECT_EQ(std::make_tuple(U16(bmp, 0), U16(bmp, 10), U16(bmp, 18), U16(bmp, 22), U16(bmp, 28), U16(bmp, 30)),
              std::make_tuple(0x4D42u, 54u, 284u, 210u, 24u, 0u));
    ASSERT_GT(runs.size(), 54u);
    EXPECT_EQ(tk::ExpandPixelRuns(runs.data(), runs.size()), bmp);
    for (std::size_t cut : {runs.size() - 1, runs.size() - 5, std::size_t{53}})
        EXPECT_TRUE(tk::ExpandPixelRuns(runs.data(), cut).empty()) << cut;
    Bytes none = runs, many = runs;
    none[54] = none[55] = 0;  // the first run: no pixel
    many[55] = 0xFF;          // the first run: more pixels than the file holds
    for (const Bytes& bad : {none, many}) EXPECT_TRUE(tk::ExpandPixelRuns(bad.data(), bad.size()).empty());
}

// The four images of old, 16 and 32 pixels square in 16 and 256 colours, and one for each
// size the system asks for at 100 % to 200 %, in 256 colours, and 256 (0 in the directory).
TEST(ResourceFiles, IconHoldsAnImageForEverySizeOfItsUse) {
    const Bytes ico = Read("GlumaNote.ico");
    std::set<std::uint32_t> images;  // width, height and bits per pixel (low byte) of each entry
    for (unsigned i = 0; i < U16(ico, 4); ++i)
        images.insert(ico.at(6 + 16 * i) << 16 | ico.at(7 + 16 * i) << 8 | ico.at(12 + 16 * i));
    EXPECT_EQ(images, (std::set<std::uint32_t>{0x101004, 0x101008, 0x202004, 0x202008, 0x141408, 0x181808, 0x282808,
                                               0x303008, 0x404008, 0x000020}));
}

// skin.bmp's pixels, after its header.
static imaging::Picture24 Skin() {
    const Bytes bmp = Read("skin.bmp");
    return {284, 210, Bytes(bmp.begin() + 54, bmp.end())};
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
