#include "imaging/core/DibLayout.h"

#include "toolkit/core/CheckedMath.h"

namespace imaging {

int32_t BytesPerScanLine(int32_t width) {
    // Both steps are guarded: the product overflows first for large negative widths,
    // the sum for the widths just above 715,827,881.
    return tk::CheckedAdd(tk::CheckedMul(width, 3), 3) & ~int32_t{3};
}

int32_t DibImageSize(int32_t width, int32_t height) {
    return tk::CheckedMul(BytesPerScanLine(width), height);
}

}  // namespace imaging
