#include <gtest/gtest.h>

#include <cmath>

#include "toolkit/core/DpiScale.h"
#include "toolkit/core/Errors.h"
#include "toolkit/core/Rounding.h"

namespace {

// (The checked sums and products are proven by the size overflows of DibLayoutTest.cpp
// and ResampleTest.cpp.)
TEST(RoundHalfEven, HalvesToTheEvenNeighbourOthersToTheNearestAndOutOfRangeRaises) {
    const std::pair<double, int32_t> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
                                                {0.49999999999999994, 0}, {0.5000000000000001, 1}, {-2.6, -3},
                                                {2147483647.4, INT32_MAX}, {-2147483648.5, INT32_MIN}};
    for (auto [v, want] : cases) EXPECT_EQ(tk::RoundHalfEven(v), want) << v;
    for (double v : {2147483647.5, -2147483649.0, std::nan(""), HUGE_VAL}) EXPECT_THROW(tk::RoundHalfEven(v), tk::OverflowError) << v;
}

// The display scale's rule, with the same rounding.
TEST(DpiScale, LengthsAndPointSizesInPixelsAtADpi) {
    const struct { int32_t value; int dpi, pixels; } lengths[] = {{272, 96, 272}, {201, 144, 302}, {5, 144, 8}, {3, 144, 4},
        {1, 144, 2}, {7, 120, 9}, {2, 120, 2}, {9, 192, 18}, {-3, 144, -4}, {1, 48, 0}};
    for (auto c : lengths) EXPECT_EQ(tk::Scale(c.value, c.dpi), c.pixels) << c.value << " at " << c.dpi;
    EXPECT_THROW(tk::Scale(INT32_MAX, 144), tk::OverflowError);
    const struct { double points; int dpi, pixels; } fonts[] = {{8.25, 96, 11}, {8.25, 144, 16}, {8.25, 120, 14}, {7.5, 120, 12}};
    for (auto c : fonts) EXPECT_EQ(tk::PointsToPixels(c.points, c.dpi), c.pixels) << c.points << " at " << c.dpi;
}

}  // namespace
