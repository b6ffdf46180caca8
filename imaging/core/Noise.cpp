#include "imaging/core/Noise.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "imaging/core/Pixel.h"
#include "toolkit/core/CheckedMath.h"

namespace imaging {
namespace {

// Draws are made in chunks of this many words, then turned into levels.
constexpr int32_t kChunk = 512;

// The next `count` levels, in draw order.
void DrawLevels(tk::Random& random, uint8_t* levels, int32_t count) {
    uint32_t words[kChunk];
    while (count > 0) {
        int32_t n = std::min(count, kChunk);
        random.NextWords(words, static_cast<std::size_t>(n));
        for (int32_t k = 0; k < n; ++k) levels[k] = NoiseLevel(words[k]);
        levels += n;
        count -= n;
    }
}

// Stores pixels as four bytes each, the fourth landing on the next pixel's blue, which that
// pixel then overwrites; the last pixel is stored as three, so no padding byte is touched.
inline void StorePixel4(uint8_t* p, uint32_t bgr) { std::memcpy(p, &bgr, 4); }

void FillGray(tk::ByteView& bits, int32_t width, int32_t height, int32_t rowBytes, tk::Random& random) {
    std::vector<uint8_t> levels(static_cast<std::size_t>(width));
    for (int32_t r = 0; r < height; ++r) {
        uint8_t* row = bits.Row(r, rowBytes);
        DrawLevels(random, levels.data(), width);
        for (int32_t x = 0; x + 1 < width; ++x) StorePixel4(row + 3 * x, levels[x] * 0x010101u);
        WritePixel(row + 3 * (width - 1), levels[width - 1] * 0x010101u);
    }
}

// The draws go column by column, so a block of columns is drawn first, in that order, and
// then written row by row: the writes run along memory instead of striding down it.
void FillColour(tk::ByteView& bits, int32_t width, int32_t height, int32_t rowBytes, tk::Random& random) {
    const int32_t drawsPerColumn = tk::CheckedMul(height, 2);
    const int32_t blockColumns = std::max(1, std::min(64, 65536 / drawsPerColumn));
    std::vector<uint8_t> levels(static_cast<std::size_t>(drawsPerColumn) * blockColumns);
    for (int32_t first = 0; first < width; first += blockColumns) {
        const int32_t columns = std::min(blockColumns, width - first);
        for (int32_t c = 0; c < columns; ++c) {
            DrawLevels(random, levels.data() + static_cast<std::size_t>(c) * drawsPerColumn, drawsPerColumn);
        }
        const bool lastBlock = first + columns == width;
        for (int32_t r = 0; r < height; ++r) {
            uint8_t* p = bits.Row(r, rowBytes) + 3 * first;
            const uint8_t* drawn = levels.data() + 2 * r;
            for (int32_t c = 0; c < columns; ++c, p += 3, drawn += drawsPerColumn) {
                const uint32_t bgr = ColourValue(0, drawn[0], drawn[1]);
                if (lastBlock && c + 1 == columns) {
                    WritePixel(p, bgr);
                } else {
                    StorePixel4(p, bgr);
                }
            }
        }
    }
}

}  // namespace

void FillNoise(tk::ByteView& bits, int32_t width, int32_t height, bool gray, tk::Random& random) {
    const int32_t last = tk::CheckedMul(3, tk::CheckedSub(width, 1));
    if (width <= 0 || height <= 0) return;
    const int32_t rowBytes = tk::CheckedAdd(last, 3);
    if (rowBytes > bits.BytesPerRow() || height > bits.Rows()) throw tk::IndexOutOfRangeError();
    if (gray) {
        FillGray(bits, width, height, rowBytes, random);
    } else {
        FillColour(bits, width, height, rowBytes, random);
    }
}

}  // namespace imaging
