// cDIBSection's pixel operations on real DIB sections: noise and resampling, and what they
// do on objects without pixels.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "DibSectionTestUtil.h"
#include "imaging/core/Noise.h"
#include "toolkit/core/Errors.h"
#include "toolkit/core/Random.h"

using dibtest::ColourAt;
using dibtest::GdiObjectCount;
using dibtest::Pattern;

namespace {

constexpr uint8_t kPadding = 0xA5;

// Fills pixels and padding with one byte, so untouched padding is seen.
void FillBytes(const cDIBSection& dib, uint8_t value) {
    std::memset(dib.DIBSectionBitsPtr(), value, static_cast<size_t>(dib.BytesPerScanLine()) * dib.Height());
}

std::vector<uint8_t> Bytes(const cDIBSection& dib) {
    const auto* p = static_cast<const uint8_t*>(dib.DIBSectionBitsPtr());
    return std::vector<uint8_t>(p, p + static_cast<size_t>(dib.BytesPerScanLine()) * dib.Height());
}

void SetGrey(const cDIBSection& dib, int x, int memoryRow, uint8_t v) {
    auto* p = static_cast<uint8_t*>(dib.DIBSectionBitsPtr()) +
              static_cast<size_t>(memoryRow) * dib.BytesPerScanLine() + 3 * x;
    p[0] = p[1] = p[2] = v;
}

const uint8_t* MemoryPixel(const cDIBSection& dib, int x, int memoryRow) {
    return static_cast<const uint8_t*>(dib.DIBSectionBitsPtr()) +
           static_cast<size_t>(memoryRow) * dib.BytesPerScanLine() + 3 * x;
}

void ExpectPaddingIs(const cDIBSection& dib, uint8_t value) {
    const auto* p = static_cast<const uint8_t*>(dib.DIBSectionBitsPtr());
    for (int r = 0; r < dib.Height(); ++r)
        for (int i = 3 * dib.Width(); i < dib.BytesPerScanLine(); ++i)
            ASSERT_EQ(p[static_cast<size_t>(r) * dib.BytesPerScanLine() + i], value) << "row " << r << " byte " << i;
}

// ---- noise --------------------------------------------------------------------------

// 283 pixels make 849 bytes a row, padded to 852: three padding bytes per row.
TEST(DibSectionNoise, GreyGivesThreeEqualBytesPerPixelAndLeavesThePadding) {
    auto dib = cDIBSection::New();
    ASSERT_TRUE(dib->Create(283, 210));
    FillBytes(*dib, kPadding);
    dib->RandomiseBits(true);
    std::set<int> levels;
    for (int r = 0; r < 210; ++r)
        for (int x = 0; x < 283; ++x) {
            const uint8_t* p = MemoryPixel(*dib, x, r);
            ASSERT_EQ(p[0], p[1]) << x << "," << r;
            ASSERT_EQ(p[1], p[2]) << x << "," << r;
            levels.insert(p[0]);
        }
    EXPECT_EQ(levels.size(), 256u) << "59,430 draws reach every level";
    ExpectPaddingIs(*dib, kPadding);
    // The DC draws from the same memory: no copy stands between them.
    EXPECT_EQ(dibtest::DcColourAt(dib->hdc(), 17, 9), ColourAt(*dib, 17, 9));
    EXPECT_EQ(dibtest::DcColourAt(dib->hdc(), 282, 209), ColourAt(*dib, 282, 209));
}

TEST(DibSectionNoise, ColourHasNoBlueAndRandomGreenAndRedAndLeavesThePadding) {
    auto dib = cDIBSection::New();
    ASSERT_TRUE(dib->Create(283, 210));
    FillBytes(*dib, kPadding);
    dib->RandomiseBits();  // colour is the default
    std::set<int> greens, reds;
    int greenEqualsRed = 0;
    for (int r = 0; r < 210; ++r)
        for (int x = 0; x < 283; ++x) {
            const uint8_t* p = MemoryPixel(*dib, x, r);
            ASSERT_EQ(p[0], 0) << x << "," << r;
            greens.insert(p[1]);
            reds.insert(p[2]);
            greenEqualsRed += p[1] == p[2];
        }
    EXPECT_EQ(greens.size(), 256u);
    EXPECT_EQ(reds.size(), 256u);
    EXPECT_LT(greenEqualsRed, 1000) << "green and red are separate draws (about 233 expected)";
    ExpectPaddingIs(*dib, kPadding);
}

TEST(DibSectionNoise, IsSeededWithTheSecondsSinceMidnight) {
    auto dib = cDIBSection::New();
    ASSERT_TRUE(dib->Create(37, 11));
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    dib->RandomiseBits(true);
    GetLocalTime(&after);
    const std::vector<uint8_t> got = Bytes(*dib);

    auto msOfDay = [](const SYSTEMTIME& t) {
        return ((t.wHour * 60 + t.wMinute) * 60 + t.wSecond) * 1000 + t.wMilliseconds;
    };
    const int from = msOfDay(before), to = msOfDay(after);
    if (to < from) GTEST_SKIP() << "midnight passed during the call";
    bool matched = false;
    std::vector<uint8_t> replay(got.size());
    for (int ms = from; ms <= to && !matched; ++ms) {
        tk::Random random(static_cast<float>(ms / 1000.0));
        tk::ByteView view(replay.data(), dib->BytesPerScanLine(), dib->Height());
        imaging::FillNoise(view, dib->Width(), dib->Height(), true, random);
        matched = replay == got;
    }
    EXPECT_TRUE(matched) << "no time of day between the clock readings gives this noise";
}

TEST(DibSectionNoise, ObjectsWithoutPixelsAreLeftAlone) {
    auto never = cDIBSection::New();
    EXPECT_NO_THROW(never->RandomiseBits(true));
    EXPECT_NO_THROW(never->RandomiseBits(false));

    auto cleared = cDIBSection::New();
    ASSERT_TRUE(cleared->Create(50, 40));
    cleared->ClearUp();
    const int start = GdiObjectCount();
    EXPECT_NO_THROW(cleared->RandomiseBits(true));
    EXPECT_NO_THROW(cleared->RandomiseBits(false));
    EXPECT_EQ(cleared->Width(), 50);
    EXPECT_EQ(cleared->DIBSectionBitsPtr(), nullptr);
    EXPECT_EQ(GdiObjectCount(), start);
}

// ---- resampling -----------------------------------------------------------------------

TEST(DibSectionResample, TheSameSizeGivesANewObjectHoldingAnExactCopy) {
    auto source = cDIBSection::New();
    ASSERT_TRUE(source->Create(7, 5));
    FillBytes(*source, kPadding);
    dibtest::FillPattern(*source);
    const std::vector<uint8_t> original = Bytes(*source);

    std::shared_ptr<cDIBSection> copy = source->Resample(5, 7);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copy, source);
    EXPECT_NE(copy->hDib(), source->hDib());
    EXPECT_EQ(copy->Width(), 7);
    EXPECT_EQ(copy->Height(), 5);
    GdiFlush();
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) ASSERT_EQ(ColourAt(*copy, x, y), Pattern(x, y)) << x << "," << y;
    EXPECT_EQ(Bytes(*source), original);
}

TEST(DibSectionResample, TheSameSizeCopiesEvenWhereResamplingWouldFail) {
    // One pixel high: resampling would need row 1. The copy does not resample.
    auto source = cDIBSection::New();
    ASSERT_TRUE(source->Create(5, 1));
    dibtest::FillPattern(*source);
    std::shared_ptr<cDIBSection> copy;
    ASSERT_NO_THROW(copy = source->Resample(1, 5));
    ASSERT_NE(copy, nullptr);
    GdiFlush();
    for (int x = 0; x < 5; ++x) EXPECT_EQ(ColourAt(*copy, x, 0), Pattern(x, 0));
}

TEST(DibSectionResample, TwoByTwoToFourByFourGivesTheBilinearTable) {
    auto source = cDIBSection::New();
    ASSERT_TRUE(source->Create(2, 2));
    FillBytes(*source, kPadding);
    SetGrey(*source, 0, 0, 0);
    SetGrey(*source, 1, 0, 200);
    SetGrey(*source, 0, 1, 100);
    SetGrey(*source, 1, 1, 100);

    std::shared_ptr<cDIBSection> target = source->Resample(4, 4);
    ASSERT_NE(target, nullptr);
    const int want[4][4] = {{0, 50, 100, 150}, {25, 62, 100, 138}, {50, 75, 100, 125}, {75, 88, 100, 112}};
    for (int r = 0; r < 4; ++r)
        for (int x = 0; x < 4; ++x)
            for (int k = 0; k < 3; ++k) EXPECT_EQ(MemoryPixel(*target, x, r)[k], want[r][x]) << x << "," << r;
}

TEST(DibSectionResample, HeightComesFirst) {
    auto source = cDIBSection::New();
    ASSERT_TRUE(source->Create(4, 4));
    std::shared_ptr<cDIBSection> target = source->Resample(3, 5);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(target->Width(), 5);
    EXPECT_EQ(target->Height(), 3);
}

TEST(DibSectionResample, ReductionSamplesAtZeroAndOneAndAHalf) {
    auto source = cDIBSection::New();
    ASSERT_TRUE(source->Create(4, 4));
    for (int r = 0; r < 4; ++r)
        for (int x = 0; x < 4; ++x) SetGrey(*source, x, r, 255);  // column 3 and row 3 stay 255
    SetGrey(*source, 0, 0, 9);
    SetGrey(*source, 1, 1, 10);
    SetGrey(*source, 1, 2, 30);  // column 1: 10 and 30 blend to 20
    SetGrey(*source, 2, 1, 50);
    SetGrey(*source, 2, 2, 70);  // column 2: 50 and 70 blend to 60; across: 40

    std::shared_ptr<cDIBSection> target = source->Resample(2, 2);
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(MemoryPixel(*target, 0, 0)[0], 9);
    EXPECT_EQ(MemoryPixel(*target, 1, 1)[0], 40);
}

TEST(DibSectionResample, ASourceOnePixelHighOrWideRaisesAndReturnsNoObject) {
    for (auto size : {std::make_pair(4, 1), std::make_pair(1, 4)}) {
        auto source = cDIBSection::New();
        ASSERT_TRUE(source->Create(size.first, size.second));
        const int start = GdiObjectCount();
        std::shared_ptr<cDIBSection> target;
        EXPECT_THROW(target = source->Resample(2, 2), tk::IndexOutOfRangeError);
        EXPECT_EQ(target, nullptr);
        EXPECT_EQ(GdiObjectCount(), start) << "the unfinished target is freed";
    }
}

TEST(DibSectionResample, ASizeThePlatformRefusesGivesNoObject) {
    auto source = cDIBSection::New();
    ASSERT_TRUE(source->Create(4, 4));
    EXPECT_EQ(source->Resample(0, 0), nullptr);
    EXPECT_EQ(source->Resample(3, -2), nullptr);
    EXPECT_THROW(source->Resample(30000, 30000), tk::OverflowError);
}

TEST(DibSectionResample, AnObjectWithoutPixelsRaisesInsteadOfCopyingNothing) {
    auto never = cDIBSection::New();
    EXPECT_THROW(never->Resample(2, 2), tk::IndexOutOfRangeError);

    auto cleared = cDIBSection::New();
    ASSERT_TRUE(cleared->Create(6, 4));
    cleared->ClearUp();
    const int start = GdiObjectCount();
    EXPECT_THROW(cleared->Resample(4, 6), tk::IndexOutOfRangeError);  // same size
    EXPECT_THROW(cleared->Resample(8, 12), tk::IndexOutOfRangeError);
    EXPECT_EQ(GdiObjectCount(), start);
}

}  // namespace
