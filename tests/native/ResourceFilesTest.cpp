// The picture files that GlumaNote.rc builds into the program, as committed (they are drawn
// by scripts/make-resources.py): a regenerated file that drifts from what the program
// needs fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <tuple>

#include "toolkit/core/PixelRuns.h"

using Bytes = std::vector<std::uint8_t>;

static Bytes Read(const std::string& name) {
    std::ifstream in(std::string(GLUMA_SOURCE_DIR) + "/resources/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
static std::uint32_t U16(const Bytes& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }

// skin.bmp is 284 x 210, 24 bits, bottom-up, with no palette or padding (its card:
// DpiScaleTest.cpp). The program carries it as pixel runs: expanded, they are skin.bmp byte
// for byte; runs that are cut short, hold no pixel, or overflow the file size the header
// gives are refused.
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
