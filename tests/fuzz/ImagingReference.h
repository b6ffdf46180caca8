#pragma once
// The imaging kernels' rules said as plainly as they can be, one pixel at a time, every
// byte reached through the view's checked access; and the pictures fed to them. The one
// reference of resampling and of noise, shared by the native tests, the fuzzer and the
// Windows tests.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "imaging/core/DibLayout.h"
#include "toolkit/core/ByteView.h"
#include "toolkit/core/CheckedMath.h"
#include "toolkit/core/Random.h"
#include "toolkit/core/Rounding.h"

namespace ref {

// A 24-bit bottom-up DIB in memory, its padding bytes 0xA5; rows may be cut shorter.
struct Picture {
    int32_t w, h, stride;
    std::vector<uint8_t> bytes;
    Picture(int32_t width, int32_t height, int32_t shorterBy = 0)
        : w(width), h(height), stride(imaging::BytesPerScanLine(std::max(width, 0)) - shorterBy),
          bytes(static_cast<size_t>(std::max(stride, 0)) * std::max(height, 0), 0xA5) {}
    uint8_t* Pixel(int32_t x, int32_t y) { return &bytes[static_cast<size_t>(y) * stride + 3 * x]; }
    void Set(int32_t x, int32_t y, int32_t colour) {
        for (int k = 0; k < 3; ++k) Pixel(x, y)[k] = static_cast<uint8_t>(colour >> 8 * k);
    }
    tk::ByteView View() { return tk::ByteView(bytes.data(), stride, h); }
};

// Bilinear resampling; a sample needs source columns xi, xi + 1 and rows yi, yi + 1 of
// the picture, or IndexOutOfRangeError.
inline void Resample(const tk::ByteView& s, int32_t sw, int32_t sh, tk::ByteView& t, int32_t tw, int32_t th) {
    const float sx = static_cast<float>(static_cast<double>(tk::CheckedSub(sw, 1)) / tw);
    const float sy = static_cast<float>(static_cast<double>(tk::CheckedSub(sh, 1)) / th);
    for (int32_t y = 0; y < th; ++y)
        for (int32_t x = 0; x < tw; ++x) {
            const float py = sy * static_cast<float>(y), px = sx * static_cast<float>(x);
            const int32_t yi = static_cast<int32_t>(std::floor(py)), xi = static_cast<int32_t>(std::floor(px));
            const double fy = py - static_cast<float>(yi), fx = px - static_cast<float>(xi);
            if (xi + 1 >= sw || yi + 1 >= sh) throw tk::IndexOutOfRangeError();
            for (int k = 0; k < 3; ++k) {
                auto v = [&](int c, int r) { return s.At(3 * (xi + c) + k, yi + r); };
                const int32_t left = tk::RoundHalfEven((1 - fy) * v(0, 0) + fy * v(0, 1));
                const int32_t right = tk::RoundHalfEven((1 - fy) * v(1, 0) + fy * v(1, 1));
                t.At(3 * x + k, y) = static_cast<uint8_t>(std::clamp(tk::RoundHalfEven((1 - fx) * left + fx * right), 0, 255));
            }
        }
}

// Grey: rows outside, one draw per pixel. Colour: columns outside, blue 0, green then red.
inline void Noise(tk::ByteView& v, int32_t w, int32_t h, bool gray, tk::Random& random) {
    auto level = [&] { return static_cast<uint8_t>(tk::RoundHalfEven(random.Next() * 255)); };
    const int32_t last = tk::CheckedMul(3, tk::CheckedSub(w, 1));
    for (int32_t r = 0; gray && r < h; ++r)
        for (int32_t i = 0; i <= last; i += 3) v.At(i, r) = v.At(i + 1, r) = v.At(i + 2, r) = level();
    for (int32_t i = 0; !gray && i <= last; i += 3)
        for (int32_t r = 0; r < h; ++r) {
            v.At(i, r) = 0;
            v.At(i + 1, r) = level();
            v.At(i + 2, r) = level();
        }
}

}  // namespace ref
