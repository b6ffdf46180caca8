#include <gtest/gtest.h>

#include <cmath>

#include "imaging/core/Noise.h"
#include "tests/fuzz/ImagingReference.h"

// A draw u = word / 2^32 gives round(u * 255), halves to even: checked at the words where
// each level begins, where rounding is decided.
TEST(Noise, LevelsChangeWhereTheDrawTimes255PassesAHalf) {
    for (int v = 0; v <= 255; ++v)
        for (double w = std::floor((v - 0.5) * 4294967296.0 / 255) - 2, end = w + 4; w <= end; ++w) {
            const uint32_t word = static_cast<uint32_t>(std::clamp(w, 0.0, 4294967295.0));
            ASSERT_EQ(imaging::NoiseLevel(word), tk::RoundHalfEven(tk::Random::ToUnit(word) * 255)) << word;
        }
    EXPECT_EQ(imaging::NoiseLevel(0x80000000u), 128);  // exactly 127.5
}

// 2^20 grey pixels: each inner level is expected 4112 times, 0 and 255 half as often; the
// bounds are about six standard deviations wide.
TEST(Noise, LevelsAreUniformWithTheEndsAtHalfWeight) {
    ref::Picture d(1024, 1024);
    tk::ByteView v = d.View();
    tk::Random r(31337.0f);
    imaging::FillNoise(v, 1024, 1024, true, r);
    std::vector<int> count(256);
    for (size_t i = 0; i < d.bytes.size(); i += 3) ++count[d.bytes[i]];
    for (int level = 0; level < 256; ++level) {
        const bool end = level == 0 || level == 255;
        EXPECT_TRUE(count[level] > (end ? 1780 : 3730) && count[level] < (end ? 2330 : 4500)) << level;
    }
}
