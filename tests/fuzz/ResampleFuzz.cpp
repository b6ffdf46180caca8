// Resampling: any sizes, any pixels, views that may be smaller than the sizes claim.
// Both inner loops must give exactly the bytes of a plain per-pixel reading, never touch
// memory outside the views (ASan), never write padding, and raise the same error as the
// plain reading, before writing anything.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FuzzInput.h"
#include "imaging/core/DibLayout.h"
#include "imaging/core/Resample.h"
#include "toolkit/core/Rounding.h"

namespace {

enum class Outcome { Done, IndexError, OverflowError };

Outcome Plain(const tk::ByteView& s, int32_t sw, int32_t sh, tk::ByteView& t, int32_t tw, int32_t th) {
    try {
        float sx = static_cast<float>(static_cast<double>(sw - 1) / tw);
        float sy = static_cast<float>(static_cast<double>(sh - 1) / th);
        for (int32_t y = 0; y < th; ++y) {
            float py = sy * static_cast<float>(y);
            int32_t yi = static_cast<int32_t>(std::floor(py));
            double fy = py - static_cast<float>(yi);
            for (int32_t x = 0; x < tw; ++x) {
                float px = sx * static_cast<float>(x);
                int32_t xi = static_cast<int32_t>(std::floor(px));
                double fx = px - static_cast<float>(xi);
                uint8_t v[2][2][3];
                for (int r = 0; r < 2; ++r)
                    for (int c = 0; c < 2; ++c)
                        for (int k = 0; k < 3; ++k) v[r][c][k] = s.At(3 * (xi + c) + k, yi + r);
                for (int k = 0; k < 3; ++k) {
                    int32_t left = tk::RoundHalfEven((1 - fy) * v[0][0][k] + fy * v[1][0][k]);
                    int32_t right = tk::RoundHalfEven((1 - fy) * v[0][1][k] + fy * v[1][1][k]);
                    int32_t result = tk::RoundHalfEven((1 - fx) * left + fx * right);
                    t.At(3 * x + k, y) = static_cast<uint8_t>(std::min(255, std::max(0, result)));
                }
            }
        }
        return Outcome::Done;
    } catch (const tk::IndexOutOfRangeError&) {
        return Outcome::IndexError;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    // Mostly small pictures; now and then one long side, for large scale factors.
    const uint8_t shape = in.Byte();
    const bool longSides = (shape & 0xF0) == 0xF0;
    const int32_t sw = in.Below(longSides && shape & 1 ? 600 : 24), sh = in.Below(longSides && shape & 2 ? 600 : 24);
    const int32_t tw = in.Below(longSides && shape & 4 ? 900 : 40), th = in.Below(longSides && shape & 8 ? 900 : 40);
    if (int64_t{tw} * th > 8000 || int64_t{sw} * sh > 8000) return 0;
    // Now and then a view that holds less than the sizes say.
    const uint8_t shrink = in.Byte();
    const int32_t srcStride = imaging::BytesPerScanLine(sw) - (shrink & 1 ? in.Below(8) : 0);
    const int32_t srcRows = sh - (shrink & 2 ? in.Below(3) : 0);
    const int32_t dstStride = imaging::BytesPerScanLine(tw) - (shrink & 4 ? in.Below(8) : 0);
    const int32_t dstRows = th - (shrink & 8 ? in.Below(3) : 0);

    std::vector<uint8_t> src(static_cast<size_t>(std::max(srcStride, 0)) * std::max(srcRows, 0));
    in.Fill(src.data(), src.size());
    const size_t dstSize = static_cast<size_t>(std::max(dstStride, 0)) * std::max(dstRows, 0);
    std::vector<uint8_t> fresh(dstSize, 0xC3);
    tk::ByteView s(src.data(), srcStride, srcRows);

    std::vector<uint8_t> plain = fresh;
    tk::ByteView p(plain.data(), dstStride, dstRows);
    // The plain reading cannot tell a view that is too small for the target from one that
    // is not (it writes until it fails), so such cases only check the kernel's own rule.
    const bool targetFits = 3 * tw <= p.BytesPerRow() && th <= p.Rows();
    const Outcome expected = targetFits || tw == 0 || th == 0 ? Plain(s, sw, sh, p, tw, th) : Outcome::IndexError;

    for (auto path : {imaging::detail::ResamplePath::Portable, imaging::detail::ResamplePath::Vector}) {
        std::vector<uint8_t> out = fresh;
        tk::ByteView t(out.data(), dstStride, dstRows);
        Outcome got = Outcome::Done;
        try {
            imaging::detail::ResampleBilinear(s, sw, sh, t, tw, th, path);
        } catch (const tk::IndexOutOfRangeError&) {
            got = Outcome::IndexError;
        } catch (const tk::OverflowError&) {
            got = Outcome::OverflowError;
        }
        if (got != expected) std::abort();
        if (got == Outcome::Done ? out != plain : out != fresh) std::abort();
    }
    return 0;
}
