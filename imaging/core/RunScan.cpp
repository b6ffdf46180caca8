#include "imaging/core/RunScan.h"

#include "imaging/core/Pixel.h"
#include "toolkit/core/CheckedMath.h"

namespace imaging {
namespace {

// Where the next run starts (the first pixel that differs from the key), or `width`.
int32_t SkipKeyPixels(const uint8_t* row, int32_t from, int32_t width, int32_t key) {
    while (from < width && ReadPixel(row + 3 * from) == key) ++from;
    return from;
}

int32_t SkipRunPixels(const uint8_t* row, int32_t from, int32_t width, int32_t key) {
    while (from < width && ReadPixel(row + 3 * from) != key) ++from;
    return from;
}

}  // namespace

void ScanNonKeyRuns(const tk::ByteView& bits, int32_t width, int32_t height, int32_t& keyColour,
                    int32_t border, int32_t title, const RunCallback& onRun) {
    if (width <= 0 || height <= 0) return;
    // One check for the whole picture; each row is then taken from the view with its
    // length checked once, and the pixels of a row need no further check.
    const int32_t rowBytes = tk::CheckedMul(width, 3);
    if (rowBytes > bits.BytesPerRow() || height > bits.Rows()) throw tk::IndexOutOfRangeError();

    if (keyColour == kKeyFromPicture) keyColour = KeyColour(bits.Row(0, 3));
    // A key outside 0 .. 0xFFFFFF matches no pixel, and ReadPixel never yields one.
    const int32_t key = keyColour;

    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = bits.Row(y, rowBytes);
        int32_t top = 0, bottom = 0;
        bool rowPlaced = false;
        int32_t a = SkipKeyPixels(row, 0, width, key);
        while (a < width) {
            int32_t b = SkipRunPixels(row, a, width, key);
            if (!rowPlaced) {
                // Computed at the row's first run only: a row without runs places nothing.
                top = tk::CheckedAdd(title, height - 1 - y);
                bottom = tk::CheckedAdd(title, height - y);
                rowPlaced = true;
            }
            onRun(tk::CheckedAdd(border, a), top, tk::CheckedAdd(border, b), bottom);
            a = SkipKeyPixels(row, b, width, key);
        }
    }
}

std::vector<RunRect> CollectNonKeyRuns(const tk::ByteView& bits, int32_t width, int32_t height,
                                       int32_t& keyColour, int32_t border, int32_t title) {
    std::vector<RunRect> runs;
    ScanNonKeyRuns(bits, width, height, keyColour, border, title,
                   [&](int32_t left, int32_t top, int32_t right, int32_t bottom) {
                       runs.push_back({left, top, right, bottom});
                   });
    return runs;
}

}  // namespace imaging
