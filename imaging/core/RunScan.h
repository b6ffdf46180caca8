#pragma once
// The pixel scan behind a note window's shape: every maximal run of non-key pixels in a
// row becomes one rectangle of the window's region.
//
// The picture is a 24-bit bottom-up DIB seen through a ByteView (BytesPerScanLine bytes by
// height rows). A pixel's colour value is blue + 256 * green + 65536 * red, the bytes in
// memory order, so a key given by a caller has blue in its low byte.
#include <cstdint>
#include <functional>
#include <vector>

#include "toolkit/core/ByteView.h"

namespace imaging {

// The key value that asks the scan to take the key from the picture itself.
constexpr int32_t kKeyFromPicture = 1;

// Called once per run: window pixels left .. right - 1 of the one-pixel-high band
// top .. bottom - 1 (right and bottom exclusive, as CreateRectRgn takes them).
using RunCallback = std::function<void(int32_t left, int32_t top, int32_t right, int32_t bottom)>;

// Scans memory rows 0 .. height - 1 (the picture's bottom row first), each from left to
// right. A run from pixel a up to pixel b - 1 of memory row y is reported as
// left = border + a, right = border + b, top = title + (height - 1 - y),
// bottom = title + (height - y).
//
// keyColour: when it is kKeyFromPicture, it is set to the colour of pixel 0 of memory row
// 0 (the bottom-left pixel); any other value is used as it is.
//
// A picture without pixels (width or height 0 or less) is not read at all: no run, and the
// key stays as it was. Otherwise the view must hold width pixels in each of height rows;
// if it does not, tk::IndexOutOfRangeError is raised before anything is read or reported.
// Positions are 32-bit signed; an overflow raises tk::OverflowError (runs found before it
// have been reported).
void ScanNonKeyRuns(const tk::ByteView& bits, int32_t width, int32_t height, int32_t& keyColour,
                    int32_t border, int32_t title, const RunCallback& onRun);

struct RunRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;

    friend bool operator==(const RunRect& a, const RunRect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const RunRect& a, const RunRect& b) { return !(a == b); }
};

// The same scan, collecting the runs in the order they are found.
std::vector<RunRect> CollectNonKeyRuns(const tk::ByteView& bits, int32_t width, int32_t height,
                                       int32_t& keyColour, int32_t border, int32_t title);

}  // namespace imaging
