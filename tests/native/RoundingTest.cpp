#include <gtest/gtest.h>

#include <cmath>

#include "toolkit/core/CheckedMath.h"
#include "toolkit/core/Rounding.h"

namespace {

TEST(RoundHalfEven, HalvesToTheEvenNeighbourOthersToTheNearest) {
    const std::pair<double, int32_t> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {62.5, 62}, {137.5, 138}, {-0.5, 0}, {-1.5, -2}, {-2.5, -2},
        {0.49999999999999994, 0}, {0.5000000000000001, 1}, {2.6, 3}, {-2.6, -3},
        {2147483647.4, 2147483647}, {-2147483648.5, INT32_MIN}};
    for (auto [v, want] : cases) EXPECT_EQ(tk::RoundHalfEven(v), want) << v;
    for (double v : {2147483647.5, -2147483649.0, std::nan(""), HUGE_VAL})
        EXPECT_THROW(tk::RoundHalfEven(v), tk::OverflowError) << v;
}

TEST(CheckedMath, RaisesOverflowInsteadOfWrapping) {
    EXPECT_TRUE(tk::CheckedAdd(2147483646, 1) == INT32_MAX && tk::CheckedMul(715827882, 3) == 2147483646);
    EXPECT_THROW(tk::CheckedAdd(INT32_MAX, 1), tk::OverflowError);
    EXPECT_THROW(tk::CheckedSub(INT32_MIN, 1), tk::OverflowError);
    EXPECT_THROW(tk::CheckedMul(715827883, 3), tk::OverflowError);
    EXPECT_THROW(tk::CheckedMul(INT32_MIN, -1), tk::OverflowError);
}

}  // namespace
