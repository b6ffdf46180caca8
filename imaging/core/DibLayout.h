#pragma once
// The memory layout of the program's 24-bit DIBs: three bytes per pixel (blue, green,
// red), each row padded to a multiple of 4 bytes, rows bottom-up. Sizes are 32-bit signed
// and raise tk::OverflowError instead of wrapping.
#include <cstdint>

namespace imaging {

// 3 * width rounded up to a multiple of 4 bytes: (width * 3 + 3) with the two low bits
// cleared. Widths above 715,827,881 overflow. A negative width is not refused here: it
// follows the same arithmetic (the platform refuses such a DIB itself).
int32_t BytesPerScanLine(int32_t width);

// BytesPerScanLine(width) * height, the image size written into the DIB's header.
int32_t DibImageSize(int32_t width, int32_t height);

}  // namespace imaging
