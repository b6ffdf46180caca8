#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "imaging/core/DibLayout.h"
#include "imaging/core/Resample.h"
#include "toolkit/core/Rounding.h"

namespace {

using imaging::detail::ResamplePath;

constexpr uint8_t kPadding = 0xA5;

struct Dib {
    int32_t w, h, stride;
    std::vector<uint8_t> bytes;
    Dib(int32_t width, int32_t height)
        : w(width), h(height), stride(imaging::BytesPerScanLine(width)),
          bytes(static_cast<size_t>(stride) * height, kPadding) {}
    uint8_t* Pixel(int32_t x, int32_t y) { return &bytes[static_cast<size_t>(y) * stride + 3 * x]; }
    void SetGrey(int32_t x, int32_t y, uint8_t v) { Pixel(x, y)[0] = Pixel(x, y)[1] = Pixel(x, y)[2] = v; }
    tk::ByteView View() { return tk::ByteView(bytes.data(), stride, h); }
};

// The resampling step said as plainly as possible, one target pixel at a time, every
// source byte read through the checked element access.
void ReferenceResample(Dib& src, Dib& dst) {
    tk::ByteView s = src.View(), t = dst.View();
    const int32_t sw = src.w, sh = src.h, tw = dst.w, th = dst.h;
    float sx = static_cast<float>(static_cast<double>(sw - 1) / tw);
    float sy = static_cast<float>(static_cast<double>(sh - 1) / th);
    for (int32_t y = 0; y < th; ++y) {
        float py = sy * static_cast<float>(y);
        int32_t yi = static_cast<int32_t>(std::floor(py));
        float fy = py - static_cast<float>(yi);
        for (int32_t x = 0; x < tw; ++x) {
            float px = sx * static_cast<float>(x);
            int32_t xi = static_cast<int32_t>(std::floor(px));
            float fx = px - static_cast<float>(xi);
            uint8_t v[2][2][3];  // [row][column][channel], read in the order row yi col xi, col xi+1, ...
            for (int r = 0; r < 2; ++r)
                for (int c = 0; c < 2; ++c)
                    for (int k = 0; k < 3; ++k) v[r][c][k] = s.At(3 * (xi + c) + k, yi + r);
            for (int k = 0; k < 3; ++k) {
                double wy = fy, wx = fx;
                int32_t left = tk::RoundHalfEven((1 - wy) * v[0][0][k] + wy * v[1][0][k]);
                int32_t right = tk::RoundHalfEven((1 - wy) * v[0][1][k] + wy * v[1][1][k]);
                int32_t result = tk::RoundHalfEven((1 - wx) * left + wx * right);
                t.At(3 * x + k, y) = static_cast<uint8_t>(std::min(255, std::max(0, result)));
            }
        }
    }
}

std::vector<ResamplePath> Paths() {
    std::vector<ResamplePath> paths{ResamplePath::Portable};
    if (imaging::detail::HasVectorResample()) paths.push_back(ResamplePath::Vector);
    return paths;
}

void Resample(Dib& src, Dib& dst, ResamplePath path) {
    tk::ByteView s = src.View(), t = dst.View();
    imaging::detail::ResampleBilinear(s, src.w, src.h, t, dst.w, dst.h, path);
}

TEST(Resample, TwoByTwoToFourByFourRoundsExactHalvesToEven) {
    const uint8_t expected[4][4] = {{0, 50, 100, 150}, {25, 62, 100, 138}, {50, 75, 100, 125}, {75, 88, 100, 112}};
    for (ResamplePath path : Paths()) {
        Dib src(2, 2), dst(4, 4);
        src.SetGrey(0, 0, 0);
        src.SetGrey(1, 0, 200);
        src.SetGrey(0, 1, 100);
        src.SetGrey(1, 1, 100);
        Resample(src, dst, path);
        for (int32_t y = 0; y < 4; ++y) {
            for (int32_t x = 0; x < 4; ++x) {
                for (int k = 0; k < 3; ++k) EXPECT_EQ(dst.Pixel(x, y)[k], expected[y][x]) << x << "," << y;
            }
        }
    }
}

TEST(Resample, ReductionSamplesAtZeroAndOneAndAHalfIgnoringTheLastColumnAndRow) {
    for (ResamplePath path : Paths()) {
        Dib src(4, 4), dst(2, 2);
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 4; ++x) src.SetGrey(x, y, 255);  // column 3 and row 3 stay 255
        src.SetGrey(0, 0, 7);
        src.SetGrey(1, 0, 20);
        src.SetGrey(2, 0, 30);
        src.SetGrey(0, 1, 40);
        src.SetGrey(0, 2, 60);
        src.SetGrey(1, 1, 10);
        src.SetGrey(1, 2, 20);  // down column 1: 15
        src.SetGrey(2, 1, 30);
        src.SetGrey(2, 2, 50);  // down column 2: 40; across: 27.5, to the even 28
        Resample(src, dst, path);
        EXPECT_EQ(dst.Pixel(0, 0)[0], 7);   // source pixel (0, 0) exactly
        EXPECT_EQ(dst.Pixel(1, 0)[1], 25);  // halfway between columns 1 and 2 of row 0
        EXPECT_EQ(dst.Pixel(0, 1)[2], 50);  // halfway between rows 1 and 2 of column 0
        EXPECT_EQ(dst.Pixel(1, 1)[0], 28);
        EXPECT_EQ(dst.Pixel(1, 1)[2], 28);
    }
}

TEST(Resample, SourceOnePixelWideOrHighOrEmptyRaisesBeforeWriting) {
    struct Case { int32_t sw, sh, tw, th; };
    for (Case c : {Case{4, 1, 2, 2}, Case{1, 4, 2, 2}, Case{0, 0, 2, 2}, Case{1, 1, 3, 3}, Case{0, 5, 3, 3}}) {
        for (ResamplePath path : Paths()) {
            Dib src(c.sw, c.sh), dst(c.tw, c.th);
            for (auto& b : src.bytes) b = 9;
            std::vector<uint8_t> before = dst.bytes;
            EXPECT_THROW(Resample(src, dst, path), tk::IndexOutOfRangeError) << c.sw << "x" << c.sh;
            EXPECT_EQ(dst.bytes, before);
            Dib ref(c.tw, c.th);
            EXPECT_THROW(ReferenceResample(src, ref), tk::IndexOutOfRangeError);  // the plain reading agrees
        }
    }
}

TEST(Resample, TargetWithoutPixelsReadsAndWritesNothing) {
    Dib empty(0, 0);
    for (ResamplePath path : Paths()) {
        for (auto [tw, th] : {std::pair{0, 0}, std::pair{0, 5}, std::pair{5, 0}, std::pair{-3, 2}}) {
            Dib dst(std::max(tw, 0), std::max(th, 0));
            tk::ByteView s = empty.View(), t = dst.View();
            EXPECT_NO_THROW(imaging::detail::ResampleBilinear(s, 0, 0, t, tw, th, path));
        }
    }
}

TEST(Resample, TargetViewTooSmallRaisesBeforeWriting) {
    Dib src(3, 3), dst(4, 4);
    std::vector<uint8_t> before = dst.bytes;
    for (ResamplePath path : Paths()) {
        tk::ByteView s = src.View(), t = dst.View();
        EXPECT_THROW(imaging::detail::ResampleBilinear(s, 3, 3, t, 5, 4, path), tk::IndexOutOfRangeError);
        EXPECT_THROW(imaging::detail::ResampleBilinear(s, 3, 3, t, 4, 5, path), tk::IndexOutOfRangeError);
        // The sizes say 5 columns but the source rows hold 12 bytes: column 4 is past them.
        EXPECT_THROW(imaging::detail::ResampleBilinear(s, 5, 3, t, 4, 4, path), tk::IndexOutOfRangeError);
        EXPECT_EQ(dst.bytes, before);
    }
}

TEST(Resample, SizeArithmeticOverflowRaises) {
    Dib src(2, 2), dst(2, 2);
    tk::ByteView s = src.View(), t = dst.View();
    EXPECT_THROW(imaging::ResampleBilinear(s, INT_MIN, 2, t, 2, 2), tk::OverflowError);
    EXPECT_THROW(imaging::ResampleBilinear(s, 2, INT_MIN, t, 2, 2), tk::OverflowError);
    EXPECT_THROW(imaging::ResampleBilinear(s, INT_MIN, 2, t, 0, 0), tk::OverflowError);
    EXPECT_THROW(imaging::ResampleBilinear(s, 2, 2, t, INT_MAX, 1), tk::OverflowError);  // 3 * tw
}

TEST(Resample, PaddingOfTheTargetIsNeverWritten) {
    std::mt19937 rng(7);
    for (ResamplePath path : Paths()) {
        Dib src(6, 5), dst(5, 7);  // target rows: 15 bytes of pixels, 1 of padding
        for (auto& b : src.bytes) b = rng() & 0xFF;
        Resample(src, dst, path);
        for (int32_t y = 0; y < dst.h; ++y) EXPECT_EQ(dst.bytes[y * dst.stride + 15], kPadding) << y;
    }
}

TEST(Resample, MatchesThePlainReadingByteForByteOnRandomPictures) {
    std::mt19937 rng(1234);
    int compared = 0;
    for (int trial = 0; trial < 400; ++trial) {
        // Mostly small pictures, some wider ones, up- and down-scales, odd widths.
        int32_t limit = trial % 10 == 0 ? 300 : 40;
        int32_t sw = 2 + rng() % limit, sh = 2 + rng() % limit;
        int32_t tw = 1 + rng() % limit, th = 1 + rng() % limit;
        Dib src(sw, sh);
        int style = trial % 3;  // noise, smooth ramps, few levels (many exact halves)
        for (int32_t y = 0; y < sh; ++y)
            for (int32_t x = 0; x < sw; ++x)
                for (int k = 0; k < 3; ++k)
                    src.Pixel(x, y)[k] = style == 0   ? rng() & 0xFF
                                         : style == 1 ? static_cast<uint8_t>((x * 37 + y * 11 + k * 50) & 0xFF)
                                                      : static_cast<uint8_t>((rng() % 3) * 127);
        Dib expected(tw, th);
        ReferenceResample(src, expected);
        for (ResamplePath path : Paths()) {
            Dib dst(tw, th);
            Resample(src, dst, path);
            ASSERT_EQ(dst.bytes, expected.bytes) << sw << "x" << sh << " -> " << tw << "x" << th;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 400 * static_cast<int>(Paths().size()));
}

TEST(Resample, MatchesThePlainReadingOnLargeScaleFactors) {
    // Many target pixels per source pixel: positions below 1 keep fine fractional bits.
    std::mt19937 rng(99);
    struct Case { int32_t sw, sh, tw, th; };
    for (Case c : {Case{2, 2, 1000, 3}, Case{3, 2, 997, 5}, Case{2, 3, 4, 1500}, Case{1000, 2, 3, 700},
                   Case{1024, 768, 31, 17}, Case{7, 9, 2048, 2}}) {
        Dib src(c.sw, c.sh);
        for (auto& b : src.bytes) b = rng() & 0xFF;
        Dib expected(c.tw, c.th);
        ReferenceResample(src, expected);
        for (ResamplePath path : Paths()) {
            Dib dst(c.tw, c.th);
            Resample(src, dst, path);
            ASSERT_EQ(dst.bytes, expected.bytes) << c.sw << "x" << c.sh << " -> " << c.tw << "x" << c.th;
        }
    }
}

}  // namespace
