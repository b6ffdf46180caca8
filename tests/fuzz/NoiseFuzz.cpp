// Noise: any size, seed and kind, views that may be smaller than the sizes claim. The
// kernel must write exactly what the plain row-by-row or column-by-column reading writes
// (padding untouched), draw as many numbers, and raise before writing when the view is
// too small.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FuzzInput.h"
#include "imaging/core/DibLayout.h"
#include "imaging/core/Noise.h"
#include "toolkit/core/Rounding.h"

namespace {

uint8_t Level(tk::Random& random) { return static_cast<uint8_t>(tk::RoundHalfEven(random.Next() * 255)); }

void Plain(tk::ByteView& v, int32_t w, int32_t h, bool gray, tk::Random& random) {
    const int32_t last = 3 * (w - 1);
    if (gray) {
        for (int32_t r = 0; r < h; ++r)
            for (int32_t i = 0; i <= last; i += 3) v.At(i, r) = v.At(i + 1, r) = v.At(i + 2, r) = Level(random);
    } else {
        for (int32_t i = 0; i <= last; i += 3)
            for (int32_t r = 0; r < h; ++r) {
                v.At(i, r) = 0;
                v.At(i + 1, r) = Level(random);
                v.At(i + 2, r) = Level(random);
            }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    // Wide and short or narrow and tall: the colour loop works in blocks of columns whose
    // width depends on the height.
    const bool tall = in.Byte() & 1;
    const int32_t w = in.Below(tall ? 12 : 160) - 2, h = in.Below(tall ? 2500 : 40) - 2;
    const uint8_t flags = in.Byte();
    const bool gray = flags & 1;
    uint32_t seedBits = in.Word();
    float seed;
    std::memcpy(&seed, &seedBits, sizeof seed);
    const int32_t stride = imaging::BytesPerScanLine(std::max(w, 0)) - (flags & 2 ? in.Below(6) : 0);
    const int32_t rows = std::max(h, 0) - (flags & 4 ? in.Below(3) : 0);

    std::vector<uint8_t> fresh(static_cast<size_t>(std::max(stride, 0)) * std::max(rows, 0));
    in.Fill(fresh.data(), fresh.size());
    std::vector<uint8_t> out = fresh, plain = fresh;
    tk::ByteView v(out.data(), stride, rows), p(plain.data(), stride, rows);
    tk::Random random(seed), reference(seed);

    const bool fits = w <= 0 || h <= 0 || (3 * w <= v.BytesPerRow() && h <= v.Rows());
    try {
        imaging::FillNoise(v, w, h, gray, random);
        if (!fits) std::abort();
    } catch (const tk::IndexOutOfRangeError&) {
        if (fits || out != fresh) std::abort();
        return 0;
    }
    Plain(p, w, h, gray, reference);
    if (out != plain || random.NextWord() != reference.NextWord()) std::abort();
    return 0;
}
