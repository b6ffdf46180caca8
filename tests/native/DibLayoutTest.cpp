#include <gtest/gtest.h>

#include <climits>

#include "imaging/core/DibLayout.h"
#include "toolkit/core/ByteView.h"

namespace {

TEST(DibLayout, ScanLinesAreThreeBytesAPixelPaddedToFourAndGuarded) {
    const std::pair<int32_t, int32_t> widths[] = {{0, 0}, {1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}, {284, 852},
                                                  {715827881, 2147483644}, {-1, 0}, {-2, -4}};
    for (auto [w, bytes] : widths) EXPECT_EQ(imaging::BytesPerScanLine(w), bytes) << w;
    for (int32_t w : {715827882, INT_MAX, -715827883}) EXPECT_THROW(imaging::BytesPerScanLine(w), tk::OverflowError);
    EXPECT_EQ(imaging::DibImageSize(284, 210), 178920);
    EXPECT_THROW(imaging::DibImageSize(284, 2520521), tk::OverflowError);
}

// 3 rows of 8 bytes: byte (i, r) is byte r * 8 + i; every index outside either range raises.
TEST(ByteView, ElementsRowsAndEveryIndexOutsideRaise) {
    std::vector<uint8_t> bytes(24);
    tk::ByteView v(bytes.data(), 8, 3);
    v.At(5, 1) = 200;
    EXPECT_TRUE(bytes[13] == 200 && v.Row(2, 8) == bytes.data() + 16 && v.Row(0, 0) == bytes.data());
    const std::pair<int32_t, int32_t> outside[] = {{-1, 0}, {8, 0}, {0, -1}, {0, 3}, {INT_MIN, 1}, {INT_MAX, 1}, {1, INT_MAX}};
    for (auto [i, r] : outside) EXPECT_THROW(v.At(i, r), tk::IndexOutOfRangeError) << i << "," << r;
    for (auto [r, n] : {std::pair{-1, 1}, std::pair{3, 0}, std::pair{0, 9}, std::pair{0, -1}})
        EXPECT_THROW(v.Row(r, n), tk::IndexOutOfRangeError) << r << "," << n;
    for (tk::ByteView none : {tk::ByteView(), tk::ByteView(nullptr, 4, 4), tk::ByteView(bytes.data(), -4, 1)})
        EXPECT_THROW(none.At(0, 0), tk::IndexOutOfRangeError);
    // Offsets past 2 GB do not wrap (only addresses are compared; nothing is read).
    tk::ByteView huge(bytes.data(), 1 << 30, 4);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(huge.Row(3, 0)) - reinterpret_cast<uintptr_t>(bytes.data()), uint64_t{3} << 30);
}

}  // namespace
