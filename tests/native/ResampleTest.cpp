#include <gtest/gtest.h>

#include <climits>

#include "tests/fuzz/ImagingChecks.h"

namespace {

using imaging::detail::ResamplePath;

// Every kernel against its plain reference on seeded random cases, as the fuzzer runs them.
TEST(ImagingKernels, AgreeWithThePlainRulesOnSeededRandomCases) {
    std::mt19937 rng(2026);
    for (int i = 0; i < 6000; ++i) {
        std::vector<uint8_t> data(16 + rng() % 600);
        for (uint8_t& b : data) b = static_cast<uint8_t>(rng());
        fuzz::Input in(data.data(), data.size());
        ASSERT_TRUE(fuzz::CheckImagingCase(in)) << "case " << i;
    }
}

TEST(Resample, SpecifiedExamplesOnBothPathsAndThePlainReference) {
    // Grey levels of a source and of the target, row by row in memory order.
    const struct { int32_t sw, sh, tw, th; std::vector<uint8_t> source, target; } cases[] = {
        // 62.5, 137.5, 87.5, 112.5 go to the even neighbour
        {2, 2, 4, 4, {0, 200, 100, 100}, {0, 50, 100, 150, 25, 62, 100, 138, 50, 75, 100, 125, 75, 88, 100, 112}},
        // reduction samples at 0 and 1.5: column 3 and row 3 (255) do not count
        {4, 4, 2, 2, {9, 1, 2, 255, 3, 10, 50, 255, 4, 30, 70, 255, 255, 255, 255, 255}, {9, 2, 4, 40}}};
    for (const auto& c : cases)
        for (int path = 0; path < 3; ++path) {
            ref::Picture src(c.sw, c.sh), dst(c.tw, c.th);
            for (size_t i = 0; i < c.source.size(); ++i) src.Set(i % c.sw, i / c.sw, c.source[i] * 0x010101);
            tk::ByteView s = src.View(), t = dst.View();
            if (path == 2) ref::Resample(s, c.sw, c.sh, t, c.tw, c.th);
            else imaging::detail::ResampleBilinear(s, c.sw, c.sh, t, c.tw, c.th, ResamplePath(path));
            for (size_t i = 0; i < c.target.size(); ++i)
                ASSERT_EQ(dst.Pixel(i % c.tw, i / c.tw)[i % 3], c.target[i]) << c.sw << " path " << path << " " << i;
        }
}

// A target so wide that single-precision positions round onto the last source column
// raises, whether or not the source rows carry padding there to read.
TEST(Resample, SamplesRoundedOntoTheLastColumnRaiseForVeryWideTargets) {
    for (auto [sw, tw] : {std::pair{3, 13103685}, std::pair{4, 10935533}}) {  // widths where it happens
        ref::Picture src(sw, 2), dst(tw, 1);
        tk::ByteView s = src.View(), t = dst.View();
        EXPECT_THROW(imaging::ResampleBilinear(s, sw, 2, t, tw, 1), tk::IndexOutOfRangeError) << sw;
        EXPECT_EQ(dst.bytes[0], 0xA5) << "nothing written";
    }
    tk::ByteView none;
    EXPECT_THROW(imaging::ResampleBilinear(none, INT_MIN, 2, none, 0, 0), tk::OverflowError);  // sw - 1
    EXPECT_THROW(imaging::ResampleBilinear(none, 2, 2, none, INT_MAX, 1), tk::OverflowError);  // 3 * tw
}

}  // namespace
