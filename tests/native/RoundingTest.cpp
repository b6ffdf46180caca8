#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "toolkit/core/CheckedMath.h"
#include "toolkit/core/Rounding.h"

namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(tk::RoundHalfEven(0.5), 0);
    EXPECT_EQ(tk::RoundHalfEven(1.5), 2);
    EXPECT_EQ(tk::RoundHalfEven(2.5), 2);
    EXPECT_EQ(tk::RoundHalfEven(62.5), 62);
    EXPECT_EQ(tk::RoundHalfEven(137.5), 138);
    EXPECT_EQ(tk::RoundHalfEven(-0.5), 0);
    EXPECT_EQ(tk::RoundHalfEven(-1.5), -2);
    EXPECT_EQ(tk::RoundHalfEven(-2.5), -2);
}

TEST(RoundHalfEven, NonHalvesGoToTheNearest) {
    EXPECT_EQ(tk::RoundHalfEven(0.49999999999999994), 0);
    EXPECT_EQ(tk::RoundHalfEven(0.5000000000000001), 1);
    EXPECT_EQ(tk::RoundHalfEven(2.4), 2);
    EXPECT_EQ(tk::RoundHalfEven(2.6), 3);
    EXPECT_EQ(tk::RoundHalfEven(-2.6), -3);
    EXPECT_EQ(tk::RoundHalfEven(7725.0 / 15.0), 515);
}

TEST(RoundHalfEven, OutOfRangeAndNaNRaiseOverflow) {
    EXPECT_EQ(tk::RoundHalfEven(2147483647.4), 2147483647);
    EXPECT_EQ(tk::RoundHalfEven(-2147483648.5), -2147483648);  // half to even stays in range
    EXPECT_THROW(tk::RoundHalfEven(2147483647.5), tk::OverflowError);
    EXPECT_THROW(tk::RoundHalfEven(-2147483649.0), tk::OverflowError);
    EXPECT_THROW(tk::RoundHalfEven(std::nan("")), tk::OverflowError);
    EXPECT_THROW(tk::RoundHalfEven(std::numeric_limits<double>::infinity()), tk::OverflowError);
}

TEST(CheckedMath, RaisesOverflowInsteadOfWrapping) {
    EXPECT_EQ(tk::CheckedAdd(2147483646, 1), 2147483647);
    EXPECT_THROW(tk::CheckedAdd(2147483647, 1), tk::OverflowError);
    EXPECT_THROW(tk::CheckedSub(-2147483647 - 1, 1), tk::OverflowError);
    EXPECT_EQ(tk::CheckedMul(715827882, 3), 2147483646);
    EXPECT_THROW(tk::CheckedMul(715827883, 3), tk::OverflowError);
    EXPECT_THROW(tk::CheckedMul(-2147483647 - 1, -1), tk::OverflowError);
}

}  // namespace
