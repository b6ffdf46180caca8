#include <gtest/gtest.h>

#include "imaging/core/DibLayout.h"
#include "toolkit/core/Errors.h"

namespace {

using imaging::BytesPerScanLine;
using imaging::DibImageSize;

TEST(DibLayout, ScanLinesAreThreeBytesPerPixelPaddedToFour) {
    EXPECT_EQ(BytesPerScanLine(0), 0);
    EXPECT_EQ(BytesPerScanLine(1), 4);
    EXPECT_EQ(BytesPerScanLine(2), 8);
    EXPECT_EQ(BytesPerScanLine(3), 12);
    EXPECT_EQ(BytesPerScanLine(4), 12);
    EXPECT_EQ(BytesPerScanLine(5), 16);
    EXPECT_EQ(BytesPerScanLine(284), 852);  // the skin: no padding
    for (int32_t w = 0; w < 1000; ++w) {
        int32_t b = BytesPerScanLine(w);
        EXPECT_EQ(b % 4, 0);
        EXPECT_GE(b, 3 * w);
        EXPECT_LT(b, 3 * w + 4);
    }
}

TEST(DibLayout, ScanLineOverflowsAboveTheLargestWidth) {
    EXPECT_EQ(BytesPerScanLine(715827881), 2147483644);  // 2,147,483,646 rounded down to a multiple of 4
    EXPECT_THROW(BytesPerScanLine(715827882), tk::OverflowError);  // the product fits, the sum does not
    EXPECT_THROW(BytesPerScanLine(INT32_MAX), tk::OverflowError);
}

TEST(DibLayout, NegativeWidthsFollowTheArithmeticUntilTheProductOverflows) {
    EXPECT_EQ(BytesPerScanLine(-1), 0);   // -3 + 3
    EXPECT_EQ(BytesPerScanLine(-2), -4);  // -3 with the two low bits cleared
    EXPECT_EQ(BytesPerScanLine(-715827882), -2147483644);
    EXPECT_THROW(BytesPerScanLine(-715827883), tk::OverflowError);
}

TEST(DibLayout, ImageSizeIsScanLineTimesHeightAndGuarded) {
    EXPECT_EQ(DibImageSize(284, 210), 178920);
    EXPECT_EQ(DibImageSize(5, 3), 48);
    EXPECT_EQ(DibImageSize(0, 1000), 0);
    EXPECT_EQ(DibImageSize(284, 2520520), 852 * 2520520);
    EXPECT_THROW(DibImageSize(284, 2520521), tk::OverflowError);
    EXPECT_THROW(DibImageSize(715827882, 1), tk::OverflowError);
    EXPECT_THROW(DibImageSize(1, INT32_MIN), tk::OverflowError);
}

}  // namespace
