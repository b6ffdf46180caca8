#include <gtest/gtest.h>

#include <climits>

#include "imaging/core/DibLayout.h"
#include "toolkit/core/ByteView.h"

TEST(DibLayout, ScanLinesAreThreeBytesAPixelPaddedToFourAndGuarded) {
    const std::pair<int32_t, int32_t> widths[] = {{0, 0}, {1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {284, 852},
                                                  {715827881, 2147483644}, {-1, 0}, {-2, -4}};
    for (auto [w, bytes] : widths) EXPECT_EQ(imaging::BytesPerScanLine(w), bytes) << w;
    for (int32_t w : {715827882, INT_MAX, -715827883}) EXPECT_THROW(imaging::BytesPerScanLine(w), tk::OverflowError);
    EXPECT_EQ(imaging::DibImageSize(284, 210), 178920);
    EXPECT_THROW(imaging::DibImageSize(284, 2520521), tk::OverflowError);
}

// The views' checks are proven by the kernels' checks against the references under ASan,
// with views cut short; what those cannot reach is a row offset past 32 bits (only
// addresses are compared, nothing is read).
TEST(ByteView, RowOffsetsPastTwoGigabytesDoNotWrap) {
    uint8_t byte = 0;
    tk::ByteView huge(&byte, 1 << 30, 4);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(huge.Row(3, 0)) - reinterpret_cast<uintptr_t>(&byte), uint64_t{3} << 30);
    EXPECT_THROW(huge.At(1 << 30, 0), tk::IndexOutOfRangeError);
}
