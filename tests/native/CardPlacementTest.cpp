#include <gtest/gtest.h>

#include "note/core/CardPlacement.h"

using note::Box;

// The card is 272 x 201; two monitors side by side, the left one with a taskbar below.
TEST(CardPlacement, ACardOffEveryWorkAreaMovesTheLeastWayOntoTheNearestAndOthersStay) {
    const std::vector<Box> two = {{0, 0, 1280, 760}, {1280, 0, 2560, 1024}};
    const std::vector<Box> small = {{0, 0, 200, 150}};
    const struct { const char* what; std::vector<Box> areas; Box card; int dx, dy; } cases[] = {
        {"inside", two, {100, 100, 372, 301}, 0, 0},
        {"partly visible", two, {-262, 100, 10, 301}, 0, 0},
        {"one pixel on the right one", two, {2559, 500, 2831, 701}, 0, 0},
        {"far right", two, {5000, 300, 5272, 501}, 2288 - 5000, 0},
        {"below the right one", two, {1500, 1100, 1772, 1301}, 0, 823 - 1100},
        {"under the taskbar", two, {100, 770, 372, 971}, 0, 559 - 770},
        {"above the left one", two, {-500, -900, -228, -699}, 500, 900},
        {"left of everything", two, {-900, 500, -628, 701}, 900, 0},
        {"nearer the right one", two, {1290, 1500, 1562, 1701}, 0, 823 - 1500},
        {"larger than the area", small, {-600, 300, -328, 501}, 600, -300},
        {"no monitor", {}, {-600, 300, -328, 501}, 0, 0},
    };
    for (const auto& c : cases) {
        const note::Offset o = note::CardOffsetOntoScreens(c.card, c.areas);
        EXPECT_EQ(std::make_pair(o.dx, o.dy), std::make_pair(c.dx, c.dy)) << c.what;
    }
}
