#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "imaging/core/DibLayout.h"
#include "imaging/core/Noise.h"
#include "toolkit/core/Random.h"
#include "toolkit/core/Rounding.h"

namespace {

constexpr uint8_t kPadding = 0x5A;

struct Dib {
    int32_t w, h, stride;
    std::vector<uint8_t> bytes;
    Dib(int32_t width, int32_t height)
        : w(width), h(height), stride(imaging::BytesPerScanLine(width)),
          bytes(static_cast<size_t>(stride) * height, kPadding) {}
    const uint8_t* Pixel(int32_t x, int32_t y) const { return &bytes[static_cast<size_t>(y) * stride + 3 * x]; }
    tk::ByteView View() { return tk::ByteView(bytes.data(), stride, h); }
};

uint8_t LevelOf(double u) { return static_cast<uint8_t>(tk::RoundHalfEven(u * 255)); }

// The noise step as plainly as it can be said, element by element through the view.
void ReferenceNoise(Dib& d, bool gray, tk::Random& random) {
    tk::ByteView v = d.View();
    const int32_t last = 3 * (d.w - 1);
    if (gray) {
        for (int32_t r = 0; r < d.h; ++r) {
            for (int32_t i = 0; i <= last; i += 3) {
                uint8_t level = LevelOf(random.Next());
                v.At(i, r) = v.At(i + 1, r) = v.At(i + 2, r) = level;
            }
        }
    } else {
        for (int32_t i = 0; i <= last; i += 3) {
            for (int32_t r = 0; r < d.h; ++r) {
                v.At(i, r) = 0;
                v.At(i + 1, r) = LevelOf(random.Next());
                v.At(i + 2, r) = LevelOf(random.Next());
            }
        }
    }
}

void Fill(Dib& d, bool gray, tk::Random& random) {
    tk::ByteView v = d.View();
    imaging::FillNoise(v, d.w, d.h, gray, random);
}

TEST(Random, DrawsLieInTheHalfOpenUnitInterval) {
    tk::Random r(1.5f);
    double lowest = 1, highest = 0;
    for (int i = 0; i < 100000; ++i) {
        double u = r.Next();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
        lowest = std::min(lowest, u);
        highest = std::max(highest, u);
    }
    EXPECT_LT(lowest, 0.001);
    EXPECT_GT(highest, 0.999);
    EXPECT_LT(tk::Random::ToUnit(0xFFFFFFFFu), 1.0);
    EXPECT_EQ(tk::Random::ToUnit(0), 0.0);
}

TEST(Random, SeedDecidesTheSequence) {
    tk::Random a(43210.125f), b(43210.125f), c(43210.13f);
    std::vector<uint32_t> wa, wb, wc;
    for (int i = 0; i < 64; ++i) {
        wa.push_back(a.NextWord());
        wb.push_back(b.NextWord());
        wc.push_back(c.NextWord());
    }
    EXPECT_EQ(wa, wb);
    EXPECT_NE(wa, wc);
    a.Seed(43210.125f);  // seeding again starts over, also in the middle of an output
    EXPECT_EQ(a.NextWord(), wa[0]);
    tk::Random zero(0.0f), negativeZero(-0.0f);
    EXPECT_NE(zero.NextWord(), negativeZero.NextWord());
}

TEST(Random, BulkDrawsAreTheSameSequenceAsSingleDraws) {
    for (size_t skip : {0, 1, 2, 3}) {
        for (size_t count : {0, 1, 2, 5, 512, 1001}) {
            tk::Random single(7.25f), bulk(7.25f);
            for (size_t i = 0; i < skip; ++i) {
                single.NextWord();
                bulk.NextWord();
            }
            std::vector<uint32_t> words(count + 1, 0xDEADBEEF);
            bulk.NextWords(words.data(), count);
            for (size_t i = 0; i < count; ++i) ASSERT_EQ(words[i], single.NextWord()) << skip << " " << count << " " << i;
            EXPECT_EQ(words[count], 0xDEADBEEF);  // nothing past the end
            EXPECT_EQ(bulk.NextWord(), single.NextWord());
        }
    }
}

TEST(NoiseLevel, IsTheDrawTimes255RoundedHalfToEven) {
    std::vector<uint32_t> words{0, 1, 0xFFFFFFFFu, 0x80000000u};  // 0x80000000 gives exactly 127.5
    for (int v = 0; v <= 255; ++v) {
        // around the word where level v begins: (v - 0.5) * 2^32 / 255
        double start = (v - 0.5) * 4294967296.0 / 255;
        for (int d = -3; d <= 3; ++d) {
            double w = std::floor(start) + d;
            if (w >= 0 && w <= 4294967295.0) words.push_back(static_cast<uint32_t>(w));
        }
    }
    std::mt19937 rng(5);
    for (int i = 0; i < 200000; ++i) words.push_back(rng());
    for (uint32_t w : words) ASSERT_EQ(imaging::NoiseLevel(w), LevelOf(tk::Random::ToUnit(w))) << w;
    EXPECT_EQ(imaging::NoiseLevel(0x80000000u), 128);
}

TEST(Noise, GrayMatchesRowByRowDrawsAndLeavesPadding) {
    for (auto [w, h] : {std::pair{284, 210}, std::pair{5, 3}, std::pair{1, 7}, std::pair{600, 2}, std::pair{3, 1}}) {
        tk::Random r1(12.5f), r2(12.5f);
        Dib got(w, h), want(w, h);
        Fill(got, true, r1);
        ReferenceNoise(want, true, r2);
        ASSERT_EQ(got.bytes, want.bytes) << w << "x" << h;  // also the padding, untouched in both
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) {
                const uint8_t* p = got.Pixel(x, y);
                ASSERT_TRUE(p[0] == p[1] && p[1] == p[2]) << x << "," << y;
            }
            for (int32_t i = 3 * w; i < got.stride; ++i) ASSERT_EQ(got.bytes[y * got.stride + i], kPadding);
        }
        EXPECT_EQ(r1.NextWord(), r2.NextWord());  // the same number of draws
    }
}

TEST(Noise, ColourMatchesColumnByColumnDrawsWithBlueZero) {
    // Heights around the block size of the fast path, widths that do not fill the last block.
    for (auto [w, h] : {std::pair{284, 210}, std::pair{5, 3}, std::pair{1, 9}, std::pair{70, 513},
                        std::pair{130, 2}, std::pair{3, 40000}}) {
        tk::Random r1(99.0f), r2(99.0f);
        Dib got(w, h), want(w, h);
        Fill(got, false, r1);
        ReferenceNoise(want, false, r2);
        ASSERT_EQ(got.bytes, want.bytes) << w << "x" << h;
        for (int32_t y = 0; y < h; ++y) {
            for (int32_t x = 0; x < w; ++x) ASSERT_EQ(got.Pixel(x, y)[0], 0);
            for (int32_t i = 3 * w; i < got.stride; ++i) ASSERT_EQ(got.bytes[y * got.stride + i], kPadding);
        }
        EXPECT_EQ(r1.NextWord(), r2.NextWord());
    }
}

TEST(Noise, PictureWithoutPixelsIsNotTouchedAndNothingIsDrawn) {
    for (bool gray : {true, false}) {
        for (auto [w, h] : {std::pair{0, 0}, std::pair{0, 4}, std::pair{4, 0}, std::pair{-5, 3}}) {
            tk::Random r(3.0f), fresh(3.0f);
            tk::ByteView none;
            EXPECT_NO_THROW(imaging::FillNoise(none, w, h, gray, r));
            EXPECT_EQ(r.NextWord(), fresh.NextWord());
        }
    }
}

TEST(Noise, ViewTooSmallRaisesBeforeWriting) {
    for (bool gray : {true, false}) {
        Dib d(4, 3);
        std::vector<uint8_t> before = d.bytes;
        tk::Random r(1.0f);
        tk::ByteView v = d.View();
        EXPECT_THROW(imaging::FillNoise(v, 5, 3, gray, r), tk::IndexOutOfRangeError);  // 15 bytes in rows of 12
        EXPECT_THROW(imaging::FillNoise(v, 4, 4, gray, r), tk::IndexOutOfRangeError);
        EXPECT_EQ(d.bytes, before);
    }
}

TEST(Noise, LastPixelIndexOverflowRaises) {
    tk::Random r(1.0f);
    tk::ByteView none;
    EXPECT_THROW(imaging::FillNoise(none, INT_MIN, 1, true, r), tk::OverflowError);     // width - 1
    EXPECT_THROW(imaging::FillNoise(none, 715827884, 1, false, r), tk::OverflowError);  // 3 * (width - 1)
    EXPECT_THROW(imaging::FillNoise(none, 715827884, 0, false, r), tk::OverflowError);  // even with no rows
}

TEST(Noise, LevelsAreUniformWithTheEndsAtHalfWeight) {
    // 2^20 draws: each inner level is expected 4112 times, 0 and 255 2056 times each.
    // The bounds are about six standard deviations wide.
    Dib d(1024, 1024);
    tk::Random r(31337.0f);
    Fill(d, true, r);
    std::vector<int> count(256);
    for (int32_t y = 0; y < d.h; ++y)
        for (int32_t x = 0; x < d.w; ++x) ++count[d.Pixel(x, y)[0]];
    EXPECT_GT(count[0], 1780);
    EXPECT_LT(count[0], 2330);
    EXPECT_GT(count[255], 1780);
    EXPECT_LT(count[255], 2330);
    for (int v = 1; v < 255; ++v) {
        EXPECT_GT(count[v], 3730) << v;
        EXPECT_LT(count[v], 4500) << v;
    }
}

}  // namespace
