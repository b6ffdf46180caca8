#include <gtest/gtest.h>

#include <cmath>

#include "toolkit/core/Errors.h"
#include "toolkit/core/Rounding.h"

// (The checked sums and products are proven by the size overflows of DibLayoutTest.cpp
// and ResampleTest.cpp.)
TEST(RoundHalfEven, HalvesToTheEvenNeighbourOthersToTheNearestAndOutOfRangeRaises) {
    const std::pair<double, int32_t> cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
                                                {0.49999999999999994, 0}, {0.5000000000000001, 1}, {-2.6, -3},
                                                {2147483647.4, INT32_MAX}, {-2147483648.5, INT32_MIN}};
    for (auto [v, want] : cases) EXPECT_EQ(tk::RoundHalfEven(v), want) << v;
    for (double v : {2147483647.5, -2147483649.0, std::nan(""), HUGE_VAL}) EXPECT_THROW(tk::RoundHalfEven(v), tk::OverflowError) << v;
}
