// Speed of the imaging kernels, side by side with a plain copy of the same output bytes.
// Every benchmark counts output pixels as items, so items_per_second compares directly
// (scripts/bench-native prints the ratios to the copy).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "imaging/core/DibLayout.h"
#include "imaging/core/Noise.h"
#include "imaging/core/Resample.h"
#include "imaging/core/RunScan.h"
#include "toolkit/core/Random.h"

namespace {

struct Dib {
    int32_t w, h, stride;
    std::vector<uint8_t> bytes;
    Dib(int32_t width, int32_t height)
        : w(width), h(height), stride(imaging::BytesPerScanLine(width)),
          bytes(static_cast<size_t>(stride) * height) {}
    tk::ByteView View() { return tk::ByteView(bytes.data(), stride, h); }
};

// A photograph-like source: smooth ramps with some noise on top.
Dib Photo(int32_t w, int32_t h) {
    Dib d(w, h);
    std::mt19937 rng(1);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < 3 * w; ++x)
            d.bytes[static_cast<size_t>(y) * d.stride + x] = static_cast<uint8_t>((x / 3 + y + x % 3 * 60 + rng() % 16) & 0xFF);
    return d;
}

// Items are output pixels; "pixels" names the output size, so that scripts/bench-native can
// put each kernel beside the copy of the same number of bytes.
void CountPixels(benchmark::State& state, int64_t pixels) {
    state.SetItemsProcessed(state.iterations() * pixels);
    state.counters["pixels"] = static_cast<double>(pixels);
}

// A copy of the output bytes of a w x h picture: the floor for any kernel that writes them.
void BM_Memcpy(benchmark::State& state) {
    Dib from(static_cast<int32_t>(state.range(0)), static_cast<int32_t>(state.range(1)));
    Dib to(from.w, from.h);
    for (auto _ : state) {
        std::memcpy(to.bytes.data(), from.bytes.data(), from.bytes.size());
        benchmark::ClobberMemory();
    }
    CountPixels(state, int64_t{from.w} * from.h);
}
BENCHMARK(BM_Memcpy)->Args({2048, 1536})->Args({1024, 768})->Unit(benchmark::kMillisecond);

void BM_Resample(benchmark::State& state, int32_t sw, int32_t sh, int32_t tw, int32_t th,
                 imaging::detail::ResamplePath path) {
    Dib src = Photo(sw, sh);
    Dib dst(tw, th);
    tk::ByteView s = src.View(), t = dst.View();
    for (auto _ : state) {
        imaging::detail::ResampleBilinear(s, sw, sh, t, tw, th, path);
        benchmark::ClobberMemory();
    }
    CountPixels(state, int64_t{tw} * th);
}
using imaging::detail::ResamplePath;
BENCHMARK_CAPTURE(BM_Resample, Up_1024x768_to_2048x1536, 1024, 768, 2048, 1536, ResamplePath::Vector)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Resample, Down_2048x1536_to_1024x768, 2048, 1536, 1024, 768, ResamplePath::Vector)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Resample, UpPortable_1024x768_to_2048x1536, 1024, 768, 2048, 1536, ResamplePath::Portable)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Resample, DownPortable_2048x1536_to_1024x768, 2048, 1536, 1024, 768, ResamplePath::Portable)
    ->Unit(benchmark::kMillisecond);

void BM_Noise(benchmark::State& state, bool gray) {
    Dib d(2048, 1536);
    tk::ByteView v = d.View();
    tk::Random random(12345.5f);
    for (auto _ : state) {
        imaging::FillNoise(v, d.w, d.h, gray, random);
        benchmark::ClobberMemory();
    }
    CountPixels(state, int64_t{d.w} * d.h);
}
BENCHMARK_CAPTURE(BM_Noise, Gray_2048x1536, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Noise, Colour_2048x1536, false)->Unit(benchmark::kMillisecond);

// The note skin: white margin, one run per card row.
Dib Skin() {
    Dib d(284, 210);
    std::memset(d.bytes.data(), 0xFF, d.bytes.size());
    for (int32_t top = 5; top <= 205; ++top) {
        uint8_t* row = &d.bytes[static_cast<size_t>(209 - top) * d.stride];
        for (int32_t x = 5; x <= 276; ++x) {
            bool outline = top == 5 || top == 205 || x == 5 || x == 276;
            row[3 * x] = 0;
            row[3 * x + 1] = outline ? 0 : 255;
            row[3 * x + 2] = outline ? 0 : 255;
        }
    }
    return d;
}

// Runs and gaps of 1 to 16 pixels: about 240,000 runs.
Dib ManyRuns(int32_t w, int32_t h) {
    Dib d(w, h);
    std::mt19937 rng(3);
    for (int32_t y = 0; y < h; ++y) {
        bool key = rng() % 2;
        for (int32_t x = 0; x < w;) {
            int32_t len = 1 + rng() % 16;
            for (; len > 0 && x < w; --len, ++x) {
                uint8_t* p = &d.bytes[static_cast<size_t>(y) * d.stride + 3 * x];
                p[0] = p[1] = p[2] = key ? 255 : static_cast<uint8_t>(rng() % 200);
            }
            key = !key;
        }
    }
    return d;
}

void BM_RunScan(benchmark::State& state, Dib (*make)()) {
    Dib d = make();
    tk::ByteView v = d.View();
    int64_t runs = 0;
    for (auto _ : state) {
        int32_t key = 0xFFFFFF;
        imaging::ScanNonKeyRuns(v, d.w, d.h, key, 4, 23, [&](int32_t l, int32_t, int32_t r, int32_t) { runs += r - l; });
        benchmark::DoNotOptimize(runs);
    }
    CountPixels(state, int64_t{d.w} * d.h);
}
BENCHMARK_CAPTURE(BM_RunScan, Skin_284x210, &Skin)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_RunScan, ManyRuns_2048x2048, +[] { return ManyRuns(2048, 2048); })->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
