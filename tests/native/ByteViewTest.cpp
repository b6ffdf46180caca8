#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <numeric>
#include <vector>

#include "toolkit/core/ByteView.h"

namespace {

// 3 rows of 8 bytes holding 0, 1, 2, ...: byte (i, r) holds r * 8 + i.
struct Numbered {
    std::vector<uint8_t> bytes = std::vector<uint8_t>(24);
    tk::ByteView view{bytes.data(), 8, 3};
    Numbered() { std::iota(bytes.begin(), bytes.end(), uint8_t{0}); }
};

TEST(ByteView, ElementIsByteRowTimesRowLengthPlusIndex) {
    Numbered n;
    for (int32_t r = 0; r < 3; ++r) {
        for (int32_t i = 0; i < 8; ++i) EXPECT_EQ(n.view.At(i, r), r * 8 + i) << i << "," << r;
    }
    const tk::ByteView& constView = n.view;
    EXPECT_EQ(constView.At(7, 2), 23);
}

TEST(ByteView, WritesReachTheBorrowedMemoryWithoutCopying) {
    Numbered n;
    n.view.At(5, 1) = 200;
    EXPECT_EQ(n.bytes[13], 200);
    n.bytes[22] = 99;
    EXPECT_EQ(n.view.At(6, 2), 99);
    EXPECT_EQ(n.view.Base(), n.bytes.data());
}

TEST(ByteView, EveryIndexOutsideEitherRangeRaises) {
    Numbered n;
    const tk::ByteView& c = n.view;
    // left, right, below, above, and the far ends of the 32-bit range
    for (auto [i, r] : std::vector<std::pair<int32_t, int32_t>>{
             {-1, 0}, {8, 0}, {0, -1}, {0, 3}, {-1, -1}, {8, 3}, {INT_MIN, 1}, {INT_MAX, 1}, {1, INT_MIN},
             {1, INT_MAX}}) {
        EXPECT_THROW(n.view.At(i, r), tk::IndexOutOfRangeError) << i << "," << r;
        EXPECT_THROW(c.At(i, r), tk::IndexOutOfRangeError) << i << "," << r;
    }
    std::vector<uint8_t> before = n.bytes;
    try {
        n.view.At(8, 0) = 1;  // would be byte (0, 1) if the row length were not checked
    } catch (const tk::IndexOutOfRangeError&) {
    }
    EXPECT_EQ(n.bytes, before);
}

TEST(ByteView, RowChecksTheRowAndTheLengthOnce) {
    Numbered n;
    EXPECT_EQ(n.view.Row(2, 8), n.bytes.data() + 16);
    EXPECT_EQ(n.view.Row(0, 0), n.bytes.data());
    const tk::ByteView& c = n.view;
    EXPECT_EQ(c.Row(1, 3)[2], 10);
    EXPECT_THROW(n.view.Row(-1, 1), tk::IndexOutOfRangeError);
    EXPECT_THROW(n.view.Row(3, 1), tk::IndexOutOfRangeError);
    EXPECT_THROW(n.view.Row(0, 9), tk::IndexOutOfRangeError);
    EXPECT_THROW(n.view.Row(0, -1), tk::IndexOutOfRangeError);
    EXPECT_THROW(c.Row(3, 0), tk::IndexOutOfRangeError);
}

TEST(ByteView, NoMemoryOrNegativeSizesGiveAViewWithoutElements) {
    uint8_t byte = 7;
    for (tk::ByteView v : {tk::ByteView(), tk::ByteView(nullptr, 4, 4), tk::ByteView(&byte, -4, 1),
                           tk::ByteView(&byte, 1, -1)}) {
        EXPECT_EQ(v.BytesPerRow() * v.Rows(), 0);
        EXPECT_THROW(v.At(0, 0), tk::IndexOutOfRangeError);
        EXPECT_THROW(v.Row(0, 1), tk::IndexOutOfRangeError);
    }
}

TEST(ByteView, OffsetsBeyondTwoGigabytesDoNotWrap) {
    // Only addresses are compared; nothing is read. In 32 bits, 3 * 2^30 would wrap to a
    // negative offset.
    std::vector<uint8_t> one(1);
    tk::ByteView huge(one.data(), 1 << 30, 4);
    auto distance = reinterpret_cast<uintptr_t>(huge.Row(3, 0)) - reinterpret_cast<uintptr_t>(one.data());
    EXPECT_EQ(distance, uint64_t{3} << 30);
}

}  // namespace
