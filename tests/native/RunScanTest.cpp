#include <gtest/gtest.h>

#include "tests/fuzz/ImagingReference.h"

using Runs = std::vector<imaging::RunRect>;

// The rest of the scan is checked against the plain reference (ResampleTest.cpp); this is
// what the reference itself could get wrong along with the scan.
TEST(RunScan, AKeyHasBlueInItsLowByteAndTheFirstAndLastColumnsBelongToRuns) {
    ref::Picture p(7, 2);
    for (int32_t x = 0; x < 7; ++x) p.Set(x, 0, x == 2 || x == 4 ? 0x0000FF : 0xFF0000);  // blue holes in red
    for (int32_t x = 0; x < 7; ++x) p.Set(x, 1, 0xFFFFFF);
    int32_t blue = 0x0000FF, red = 0xFF0000, fromPicture = imaging::kKeyFromPicture;
    EXPECT_EQ(imaging::CollectNonKeyRuns(p.View(), 7, 2, blue, 4, 23), (Runs{{4, 24, 6, 25}, {7, 24, 8, 25}, {9, 24, 11, 25}, {4, 23, 11, 24}}));
    EXPECT_EQ(imaging::CollectNonKeyRuns(p.View(), 7, 1, red, 0, 0), (Runs{{2, 0, 3, 1}, {4, 0, 5, 1}}));
    EXPECT_EQ(imaging::CollectNonKeyRuns(p.View(), 7, 2, fromPicture, 0, 0).size(), 3u);
    EXPECT_TRUE(blue == 0x0000FF && red == 0xFF0000 && fromPicture == 0xFF0000) << "the bottom-left pixel's";
}
