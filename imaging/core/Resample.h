#pragma once
// Bilinear resampling of one 24-bit bottom-up DIB into another of a different size: the
// pixel step behind cDIBSection's Resample. It reads the source and writes the target in
// place, through byte views over their bits (BytesPerScanLine bytes by Height rows).
//
// For target pixel (x, y) the source position is (x * sx, y * sy) with
// sx = (sw - 1) / tw and sy = (sh - 1) / th, so column 0 and row 0 map to the source's
// first column and row, and every other sample lies before the last one, except where a
// target millions of pixels wide or high rounds a single-precision position onto it. Each channel is
// blended down the two source rows first and rounded, then across the two source columns
// and rounded again (to the nearest integer, halves to even), and limited to 0 .. 255.
// Reduction samples, it does not average. Padding bytes of the target are never written.
#include <cstdint>

#include "toolkit/core/ByteView.h"

namespace imaging {

// Fills tw x th pixels of dst from sw x sh pixels of src.
//
// Errors, raised before any target byte is written:
// - tk::IndexOutOfRangeError when a sample needs a source pixel that does not exist: a
//   source one pixel wide or high (column or row 1 is missing), a source without
//   pixels, or a target so wide or high that a sample's position rounds onto the last
//   source column or row (whose neighbour it would read, at weight 0, from the row's
//   padding or past the view), whether padding is there or not; also when a sample lies
//   outside src's view, or dst cannot hold tw x th pixels. A target without pixels (tw or th 0
//   or less) reads and writes nothing.
// - tk::OverflowError when the 32-bit size arithmetic (sw - 1, 3 * column) overflows.
void ResampleBilinear(const tk::ByteView& src, int32_t sw, int32_t sh, tk::ByteView& dst,
                      int32_t tw, int32_t th);

namespace detail {
// The kernel has a portable inner loop and, where SSE2 is there, a vector one. Both give
// the same bytes; the tests run both.
enum class ResamplePath { Portable, Vector };
bool HasVectorResample() noexcept;
void ResampleBilinear(const tk::ByteView& src, int32_t sw, int32_t sh, tk::ByteView& dst,
                      int32_t tw, int32_t th, ResamplePath path);
}  // namespace detail

}  // namespace imaging
