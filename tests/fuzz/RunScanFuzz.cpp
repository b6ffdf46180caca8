// The window-shape scan: any picture, key, frame sizes (up to the overflow limits) and
// views that may be smaller than the sizes claim. The runs, the key written back and the
// error must be those of a plain pixel-by-pixel scan, and nothing outside the view is read.
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FuzzInput.h"
#include "imaging/core/DibLayout.h"
#include "imaging/core/RunScan.h"
#include "toolkit/core/CheckedMath.h"

namespace {

using imaging::RunRect;

enum class Outcome { Done, IndexError, OverflowError };

struct Result {
    std::vector<RunRect> runs;
    int32_t key;
    Outcome outcome = Outcome::Done;
    bool operator==(const Result& o) const { return runs == o.runs && key == o.key && outcome == o.outcome; }
};

// Pixel by pixel through the checked element access; positions as checked sums at each run.
void PlainScan(const tk::ByteView& v, int32_t w, int32_t h, Result& r, int32_t border, int32_t title) {
    if (w <= 0 || h <= 0) return;
    if (r.key == 1) r.key = v.At(0, 0) + 256 * v.At(1, 0) + 65536 * v.At(2, 0);
    for (int32_t y = 0; y < h; ++y) {
        int32_t start = -1;
        for (int32_t x = 0; x <= w; ++x) {
            bool key = x == w || v.At(3 * x, y) + 256 * v.At(3 * x + 1, y) + 65536 * v.At(3 * x + 2, y) == r.key;
            if (!key && start < 0) start = x;
            if (key && start >= 0) {
                r.runs.push_back({tk::CheckedAdd(border, start), tk::CheckedAdd(title, h - 1 - y),
                                  tk::CheckedAdd(border, x), tk::CheckedAdd(title, h - y)});
                start = -1;
            }
        }
    }
}

int32_t FrameSize(fuzz::Input& in) {
    uint8_t kind = in.Byte() % 4;
    if (kind == 0) return in.Below(40);
    if (kind == 1) return INT_MAX - in.Below(300);
    if (kind == 2) return INT_MIN + in.Below(300);
    return static_cast<int32_t>(in.Word());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Input in(data, size);
    const int32_t w = in.Below(120) - 2, h = in.Below(120) - 2;
    const uint8_t flags = in.Byte();
    const int32_t stride = imaging::BytesPerScanLine(std::max(w, 0)) - (flags & 1 ? in.Below(6) : 0);
    const int32_t rows = std::max(h, 0) - (flags & 2 ? in.Below(3) : 0);
    const int32_t key = flags & 4 ? 1 : flags & 8 ? static_cast<int32_t>(in.Word()) : static_cast<int32_t>(in.Word() & 0xFFFFFF);
    const int32_t border = FrameSize(in), title = FrameSize(in);

    // Few colours, so that runs of the key come up.
    std::vector<uint8_t> bits(static_cast<size_t>(std::max(stride, 0)) * std::max(rows, 0));
    in.Fill(bits.data(), bits.size());
    for (uint8_t& b : bits) b = b & 0x80 ? 0xFF : b & 1;
    tk::ByteView view(bits.data(), stride, rows);

    Result got{{}, key}, plain{{}, key};
    try {
        imaging::ScanNonKeyRuns(view, w, h, got.key, border, title,
                                [&](int32_t l, int32_t t, int32_t r, int32_t b) { got.runs.push_back({l, t, r, b}); });
    } catch (const tk::IndexOutOfRangeError&) {
        got.outcome = Outcome::IndexError;
    } catch (const tk::OverflowError&) {
        got.outcome = Outcome::OverflowError;
    }
    const bool fits = w <= 0 || h <= 0 || (3 * w <= view.BytesPerRow() && h <= view.Rows());
    if (!fits) {
        // Checked before anything is read or reported.
        if (!(got == Result{{}, key, Outcome::IndexError})) std::abort();
        return 0;
    }
    try {
        PlainScan(view, w, h, plain, border, title);
    } catch (const tk::OverflowError&) {
        plain.outcome = Outcome::OverflowError;
    }
    if (!(got == plain)) std::abort();
    return 0;
}
