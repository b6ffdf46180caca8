#include <gtest/gtest.h>

#include <climits>

#include "imaging/core/RunScan.h"
#include "tests/fuzz/ImagingReference.h"

using Runs = std::vector<imaging::RunRect>;

TEST(RunScan, AKeyHasBlueInItsLowByteAndTheFirstAndLastColumnsBelongToRuns) {
    ref::Picture p(7, 2);
    for (int32_t x = 0; x < 7; ++x) p.Set(x, 0, x == 2 || x == 4 ? 0x0000FF : 0xFF0000);  // blue holes in red
    for (int32_t x = 0; x < 7; ++x) p.Set(x, 1, 0xFFFFFF);
    int32_t blue = 0x0000FF, red = 0xFF0000, fromPicture = imaging::kKeyFromPicture, none = 0x1000000;
    EXPECT_EQ(imaging::CollectNonKeyRuns(p.View(), 7, 2, blue, 4, 23), (Runs{{4, 24, 6, 25}, {7, 24, 8, 25}, {9, 24, 11, 25}, {4, 23, 11, 24}}));
    EXPECT_EQ(imaging::CollectNonKeyRuns(p.View(), 7, 1, red, 0, 0), (Runs{{2, 0, 3, 1}, {4, 0, 5, 1}}));
    EXPECT_EQ(imaging::CollectNonKeyRuns(p.View(), 7, 2, fromPicture, 0, 0).size(), 3u);
    EXPECT_EQ(imaging::CollectNonKeyRuns(p.View(), 7, 2, none, 0, 0), (Runs{{0, 1, 7, 2}, {0, 0, 7, 1}})) << "a key no pixel has";
    EXPECT_TRUE(blue == 0x0000FF && red == 0xFF0000 && fromPicture == 0xFF0000) << "the bottom-left pixel's";
}

// Places near both ends of the 32-bit range; a row without runs is given no place. A view
// that holds less than the size, or a picture without pixels, leaves the key as it was.
TEST(RunScan, PlacesThatOverflowRaiseAndAViewTooSmallRaisesBeforeTheKeyIsTaken) {
    ref::Picture p(7, 2), cut(7, 2, 4);  // pixels 0xA5A5A5 over a white bottom row
    for (int32_t x = 0; x < 7; ++x) p.Set(x, 0, 0xFFFFFF);
    int32_t white = 0xFFFFFF, key = imaging::kKeyFromPicture;
    EXPECT_EQ(imaging::CollectNonKeyRuns(p.View(), 7, 2, white, INT_MIN, INT_MAX - 1), (Runs{{INT_MIN, INT_MAX - 1, INT_MIN + 7, INT_MAX}}));
    EXPECT_THROW(imaging::CollectNonKeyRuns(p.View(), 7, 2, white, INT_MAX - 6, 0), tk::OverflowError);
    EXPECT_THROW(imaging::CollectNonKeyRuns(p.View(), 7, 2, white, 0, INT_MAX), tk::OverflowError);
    EXPECT_THROW(imaging::CollectNonKeyRuns(p.View(), 7, 3, key, 0, 0), tk::IndexOutOfRangeError);
    EXPECT_THROW(imaging::CollectNonKeyRuns(cut.View(), 7, 2, key, 0, 0), tk::IndexOutOfRangeError);
    EXPECT_TRUE(imaging::CollectNonKeyRuns(p.View(), 0, 2, key, 0, 0).empty() && imaging::CollectNonKeyRuns(p.View(), 7, -1, key, 0, 0).empty());
    EXPECT_EQ(key, imaging::kKeyFromPicture);
}
