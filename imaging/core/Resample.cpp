#include "imaging/core/Resample.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define GLUMA_RESAMPLE_SSE2 1
#endif

#include "imaging/core/Pixel.h"
#include "toolkit/core/CheckedMath.h"

// How the numbers are read, precisely (the output is compared byte for byte with a
// plain per-pixel implementation in the tests):
// - sx = (sw - 1) / tw is divided in double and stored as a float; likewise sy.
// - px = sx * x is the exact product rounded once to a float; xi = floor(px); fx = px - xi
//   is exact in a float (it is px's fractional part). Likewise py, yi, fy per row.
// - The weights are (1 - f) and f with f widened to double and the subtraction done in
//   double: the weighted sums are formed in double precision, and so are their terms.
// - left = round((1 - fy) * v(xi, yi) + fy * v(xi, yi + 1)), right likewise one column on,
//   result = round((1 - fx) * left + fx * right) limited to 0 .. 255: two products and a
//   sum, each rounded to double, then to the nearest integer with halves to even.
//
// Speed: the column terms (xi, weights) are computed once per target column and the row
// terms once per target row. A target row blends its two source rows once per source byte
// that any of its pixels use (down the columns), keeping the rounded results as doubles;
// each target pixel then blends two of those across. That gives every pixel the same
// values as blending its own twelve source bytes, with far fewer operations when the
// picture is enlarged. The SSE2 loops make two target rows at once, one in each lane, so
// that each column's terms are loaded once for two pixels. All samples are checked
// against the source once, before any target byte is written, and the rows are then taken
// from the views with one check each.
//
// The program never changes the floating-point rounding mode, so the hardware's
// round-to-nearest (halves to even) is the rounding asked for. Where doubles are held in
// x87 registers (32-bit builds without SSE2 math), the results are still the same for
// every target less than 2^22 pixels wide and high: then each weight has at most 45
// fractional bits, so its products with bytes and their sum are exact in a double.

namespace imaging {
namespace {

// Rounds to single precision even where intermediate results carry more (x87 code).
inline float ToSingle(double v) {
#if defined(FLT_EVAL_METHOD) && FLT_EVAL_METHOD != 0
    volatile float f = static_cast<float>(v);
    return f;
#else
    return static_cast<float>(v);
#endif
}

int32_t FloorToInt32(float v) {
    double f = std::floor(static_cast<double>(v));
    if (!(f >= -2147483648.0 && f <= 2147483647.0)) throw tk::OverflowError();
    return static_cast<int32_t>(f);
}

struct Sample {
    int32_t index;  // xi or yi
    double w0;      // 1 - f
    double w1;      // f
};

Sample SampleAt(float scale, int32_t k) {
    float p = ToSingle(static_cast<double>(scale) * k);
    int32_t i = FloorToInt32(p);
    double f = static_cast<double>(ToSingle(static_cast<double>(p) - i));
    return {i, 1.0 - f, f};
}

float Scale(int32_t sourceSize, int32_t targetSize) {
    return ToSingle(static_cast<double>(tk::CheckedSub(sourceSize, 1)) / targetSize);
}

struct Column {
    double w0;
    double w1;
    int32_t byte;  // 3 * xi: blue of the left source column
};

// A stretch of source bytes that some target pixel of every row reads.
struct Span {
    int32_t begin;
    int32_t end;
};

// Everything that does not depend on the row, checked against the source's row length.
struct ColumnPlan {
    std::vector<Column> columns;
    std::vector<Span> spans;
    int32_t rowBytes = 0;  // the source bytes a row must provide
};

ColumnPlan PlanColumns(const tk::ByteView& src, int32_t sw, int32_t tw) {
    const float sx = Scale(sw, tw);
    ColumnPlan plan;
    plan.columns.reserve(static_cast<std::size_t>(tw));
    for (int32_t x = 0; x < tw; ++x) {
        Sample s = SampleAt(sx, x);
        int32_t byte = tk::CheckedMul(s.index, 3);
        // The pixel reads bytes 3 xi .. 3 xi + 5: columns xi and xi + 1, which must both be
        // in the picture and in the view. Single-precision positions of a target some
        // millions of pixels wide can round up onto the last column (xi = sw - 1, weight 0
        // on the next): that raises too, also where the row's padding would be there to read.
        int32_t end = tk::CheckedAdd(byte, 6);
        if (byte < 0 || int64_t{s.index} + 1 >= sw || end > src.BytesPerRow()) throw tk::IndexOutOfRangeError();
        plan.columns.push_back({s.w0, s.w1, byte});
        // xi never decreases with x (rounding keeps the order of the products), so a new
        // stretch starts only past the last one.
        if (!plan.spans.empty() && byte <= plan.spans.back().end) {
            plan.spans.back().end = std::max(plan.spans.back().end, end);
        } else {
            plan.spans.push_back({byte, end});
        }
        plan.rowBytes = std::max(plan.rowBytes, end);
    }
    return plan;
}

struct RowSample {
    int32_t yi;
    double w0;
    double w1;
};

std::vector<RowSample> PlanRows(const tk::ByteView& src, int32_t sh, int32_t th) {
    const float sy = Scale(sh, th);
    std::vector<RowSample> rows;
    rows.reserve(static_cast<std::size_t>(th));
    for (int32_t y = 0; y < th; ++y) {
        Sample s = SampleAt(sy, y);
        if (s.index < 0 || int64_t{s.index} + 1 >= sh || s.index >= src.Rows() - 1) throw tk::IndexOutOfRangeError();
        rows.push_back({s.index, s.w0, s.w1});
    }
    return rows;
}

uint8_t ClampToByte(double rounded) {
    return static_cast<uint8_t>(rounded < 0.0 ? 0.0 : rounded > 255.0 ? 255.0 : rounded);
}

// ---- portable inner loops -------------------------------------------------------------

void BlendRowsPortable(const uint8_t* lower, const uint8_t* upper, const RowSample& row,
                       const std::vector<Span>& spans, double* down) {
    for (const Span& span : spans) {
        for (int32_t j = span.begin; j < span.end; ++j) {
            down[j] = std::nearbyint(row.w0 * lower[j] + row.w1 * upper[j]);
        }
    }
}

void BlendAcrossPortable(const double* down, const std::vector<Column>& columns, uint8_t* out) {
    for (const Column& c : columns) {
        const double* left = down + c.byte;
        for (int k = 0; k < 3; ++k) {
            out[k] = ClampToByte(std::nearbyint(c.w0 * left[k] + c.w1 * left[k + 3]));
        }
        out += 3;
    }
}

// ---- SSE2 inner loops -----------------------------------------------------------------

#ifdef GLUMA_RESAMPLE_SSE2

// Eight bytes, widened to four pairs of doubles.
inline void LoadEight(const uint8_t* p, __m128d out[4]) {
    const __m128i zero = _mm_setzero_si128();
    __m128i w = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), zero);
    __m128i lo = _mm_unpacklo_epi16(w, zero);
    __m128i hi = _mm_unpackhi_epi16(w, zero);
    out[0] = _mm_cvtepi32_pd(lo);
    out[1] = _mm_cvtepi32_pd(_mm_shuffle_epi32(lo, _MM_SHUFFLE(1, 0, 3, 2)));
    out[2] = _mm_cvtepi32_pd(hi);
    out[3] = _mm_cvtepi32_pd(_mm_shuffle_epi32(hi, _MM_SHUFFLE(1, 0, 3, 2)));
}

// One multiply-add of the blend for a pair of values, rounded by cvtpd2dq, which follows
// the current rounding mode: to nearest, halves to even.
inline __m128i BlendPair(__m128d w0, __m128d a, __m128d w1, __m128d b) {
    return _mm_cvtpd_epi32(_mm_add_pd(_mm_mul_pd(w0, a), _mm_mul_pd(w1, b)));
}

// Two target rows are made together: the vector lanes hold the same byte of both rows, so
// one set of column terms serves two pixels. down2[2 j] and down2[2 j + 1] are the rounded
// vertical blends of source byte j for the first and the second row.
void BlendRowPairVector(const uint8_t* lower0, const uint8_t* upper0, const RowSample& row0,
                        const uint8_t* lower1, const uint8_t* upper1, const RowSample& row1,
                        const std::vector<Span>& spans, double* down2) {
    const __m128d w00 = _mm_set1_pd(row0.w0), w01 = _mm_set1_pd(row0.w1);
    const __m128d w10 = _mm_set1_pd(row1.w0), w11 = _mm_set1_pd(row1.w1);
    for (const Span& span : spans) {
        int32_t j = span.begin;
        for (; span.end - j >= 8; j += 8) {
            __m128d a0[4], b0[4], a1[4], b1[4];
            LoadEight(lower0 + j, a0);
            LoadEight(upper0 + j, b0);
            LoadEight(lower1 + j, a1);
            LoadEight(upper1 + j, b1);
            for (int k = 0; k < 4; ++k) {
                __m128d first = _mm_cvtepi32_pd(BlendPair(w00, a0[k], w01, b0[k]));
                __m128d second = _mm_cvtepi32_pd(BlendPair(w10, a1[k], w11, b1[k]));
                _mm_storeu_pd(down2 + 2 * (j + 2 * k), _mm_unpacklo_pd(first, second));
                _mm_storeu_pd(down2 + 2 * (j + 2 * k + 1), _mm_unpackhi_pd(first, second));
            }
        }
        for (; j < span.end; ++j) {
            __m128d a = _mm_set_pd(lower1[j], lower0[j]);
            __m128d b = _mm_set_pd(upper1[j], upper0[j]);
            __m128d w0 = _mm_set_pd(row1.w0, row0.w0), w1 = _mm_set_pd(row1.w1, row0.w1);
            _mm_storeu_pd(down2 + 2 * j, _mm_cvtepi32_pd(BlendPair(w0, a, w1, b)));
        }
    }
}

// Blue, green and red of one pixel in each of the two rows, each as the low three bytes of
// a word (the fourth byte is a copy of red).
//
// The column's weights are read as plain doubles and put into both lanes here: a vector
// type kept in a std::vector would need 16-byte aligned memory, which the 32-bit
// msvcrt's malloc (8-byte alignment) does not promise, and mulpd faults on a misaligned
// operand. Every load from memory in these loops is an unaligned one.
inline void BlendPixelPair(const double* down2, const Column& c, uint32_t& first, uint32_t& second) {
    const double* left2 = down2 + 2 * std::ptrdiff_t{c.byte};
    const __m128d w0 = _mm_set1_pd(c.w0), w1 = _mm_set1_pd(c.w1);
    __m128i b = BlendPair(w0, _mm_loadu_pd(left2), w1, _mm_loadu_pd(left2 + 6));
    __m128i g = BlendPair(w0, _mm_loadu_pd(left2 + 2), w1, _mm_loadu_pd(left2 + 8));
    __m128i r = BlendPair(w0, _mm_loadu_pd(left2 + 4), w1, _mm_loadu_pd(left2 + 10));
    __m128i bg = _mm_unpacklo_epi32(b, g);                          // b0 g0 b1 g1
    __m128i rr = _mm_shuffle_epi32(r, _MM_SHUFFLE(1, 1, 0, 0));    // r0 r0 r1 r1
    __m128i words = _mm_packs_epi32(_mm_unpacklo_epi64(bg, rr), _mm_unpackhi_epi64(bg, rr));
    // The saturating packs limit each channel to 0 .. 255.
    __m128i bytes = _mm_packus_epi16(words, words);
    first = static_cast<uint32_t>(_mm_cvtsi128_si32(bytes));
    second = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(bytes, 4)));
}

void BlendAcrossPairVector(const double* down2, const std::vector<Column>& columns, uint8_t* out0,
                           uint8_t* out1) {
    const std::size_t n = columns.size();
    uint32_t first, second;
    // Each pixel is stored as four bytes; the fourth lands on the next pixel's blue, which
    // that pixel then overwrites. The last pixel is stored as three, so padding stays as it is.
    for (std::size_t x = 0; x + 1 < n; ++x) {
        BlendPixelPair(down2, columns[x], first, second);
        std::memcpy(out0 + 3 * x, &first, 4);
        std::memcpy(out1 + 3 * x, &second, 4);
    }
    BlendPixelPair(down2, columns[n - 1], first, second);
    WritePixel(out0 + 3 * (n - 1), first);
    WritePixel(out1 + 3 * (n - 1), second);
}

#endif  // GLUMA_RESAMPLE_SSE2

}  // namespace

namespace detail {

bool HasVectorResample() noexcept {
#ifdef GLUMA_RESAMPLE_SSE2
    return true;
#else
    return false;
#endif
}

void ResampleBilinear(const tk::ByteView& src, int32_t sw, int32_t sh, tk::ByteView& dst,
                      int32_t tw, int32_t th, ResamplePath path) {
    if (tw <= 0 || th <= 0) {
        // No target pixel, so nothing is sampled; the size arithmetic is still guarded.
        tk::CheckedSub(sw, 1);
        tk::CheckedSub(sh, 1);
        return;
    }
    const int32_t targetRowBytes = tk::CheckedMul(tw, 3);
    if (targetRowBytes > dst.BytesPerRow() || th > dst.Rows()) throw tk::IndexOutOfRangeError();
    const ColumnPlan plan = PlanColumns(src, sw, tw);
    const std::vector<RowSample> rows = PlanRows(src, sh, th);

    // The rounded vertical blends of one target row, indexed like the source row's bytes
    // (of two target rows, interleaved, for the vector loops).
    [[maybe_unused]] const bool vector = path == ResamplePath::Vector && HasVectorResample();
#ifdef GLUMA_RESAMPLE_SSE2
    if (vector) {
        std::vector<double> down2(2 * static_cast<std::size_t>(plan.rowBytes));
        // An odd last row is paired with itself: both lanes then write the same bytes.
        for (int32_t y = 0; y < th; y += 2) {
            const int32_t y1 = y + 1 < th ? y + 1 : y;
            const RowSample& row0 = rows[static_cast<std::size_t>(y)];
            const RowSample& row1 = rows[static_cast<std::size_t>(y1)];
            BlendRowPairVector(src.Row(row0.yi, plan.rowBytes), src.Row(row0.yi + 1, plan.rowBytes), row0,
                               src.Row(row1.yi, plan.rowBytes), src.Row(row1.yi + 1, plan.rowBytes), row1,
                               plan.spans, down2.data());
            BlendAcrossPairVector(down2.data(), plan.columns, dst.Row(y, targetRowBytes),
                                  dst.Row(y1, targetRowBytes));
        }
        return;
    }
#endif
    std::vector<double> down(static_cast<std::size_t>(plan.rowBytes));
    for (int32_t y = 0; y < th; ++y) {
        const RowSample& row = rows[static_cast<std::size_t>(y)];
        BlendRowsPortable(src.Row(row.yi, plan.rowBytes), src.Row(row.yi + 1, plan.rowBytes), row, plan.spans,
                          down.data());
        BlendAcrossPortable(down.data(), plan.columns, dst.Row(y, targetRowBytes));
    }
}

}  // namespace detail

void ResampleBilinear(const tk::ByteView& src, int32_t sw, int32_t sh, tk::ByteView& dst,
                      int32_t tw, int32_t th) {
    detail::ResampleBilinear(src, sw, sh, dst, tw, th, detail::ResamplePath::Vector);
}

}  // namespace imaging
