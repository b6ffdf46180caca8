#include <gtest/gtest.h>

#include "tests/fuzz/ImagingReference.h"

namespace {

using imaging::RunRect;

// The note skin: 284 x 210, white margin, a black-outlined yellow card from column 5 to 276
// and picture row 5 to 205 (rows counted from the top).
TEST(RunScan, TheSkinGivesOneRunPerCardRowBottomFirstAndWhiteAsKey) {
    ref::Picture skin(284, 210);
    for (int32_t y = 0; y < 210; ++y)
        for (int32_t x = 0; x < 284; ++x) {
            const int32_t top = 209 - y;
            const bool card = top >= 5 && top <= 205 && x >= 5 && x <= 276;
            const bool outline = top == 5 || top == 205 || x == 5 || x == 276;
            skin.Set(x, y, !card ? 0xFFFFFF : outline ? 0 : 0x00FFFF);
        }
    for (auto [border, title] : {std::pair{0, 0}, std::pair{4, 23}}) {
        int32_t key = imaging::kKeyFromPicture;
        std::vector<RunRect> want;
        for (int32_t top = 205; top >= 5; --top) want.push_back({border + 5, title + top, border + 277, title + top + 1});
        EXPECT_EQ(imaging::CollectNonKeyRuns(skin.View(), 284, 210, key, border, title), want);
        EXPECT_EQ(key, 0xFFFFFF);
    }
}

TEST(RunScan, AGivenKeyHasBlueInItsLowByteAndTheFirstAndLastColumnsBelongToRuns) {
    ref::Picture p(7, 1);
    for (int32_t x = 0; x < 7; ++x) p.Set(x, 0, x == 2 || x == 4 ? 0x0000FF : 0xFF0000);  // blue holes in red
    int32_t blue = 0x0000FF, red = 0xFF0000;
    EXPECT_EQ(imaging::CollectNonKeyRuns(p.View(), 7, 1, blue, 0, 0),
              (std::vector<RunRect>{{0, 0, 2, 1}, {3, 0, 4, 1}, {5, 0, 7, 1}}));
    EXPECT_EQ(imaging::CollectNonKeyRuns(p.View(), 7, 1, red, 0, 0), (std::vector<RunRect>{{2, 0, 3, 1}, {4, 0, 5, 1}}));
    EXPECT_TRUE(blue == 0x0000FF && red == 0xFF0000);
}

}  // namespace
