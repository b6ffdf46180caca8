#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <vector>

#include "imaging/core/DibLayout.h"
#include "imaging/core/RunScan.h"

namespace {

using imaging::CollectNonKeyRuns;
using imaging::RunRect;

constexpr int32_t kWhite = 0xFFFFFF;
constexpr int32_t kBlack = 0x000000;
constexpr int32_t kYellow = 0x00FFFF;  // red 255, green 255, blue 0: blue is the low byte
constexpr int32_t kPadding = 0xAB;

// A 24-bit bottom-up DIB in memory; pixels are set by their colour value
// blue + 256 * green + 65536 * red, rows counted in memory order.
struct Picture {
    int32_t w, h, stride;
    std::vector<uint8_t> bytes;

    Picture(int32_t width, int32_t height, int32_t fill)
        : w(width), h(height), stride(imaging::BytesPerScanLine(width)),
          bytes(static_cast<size_t>(stride) * height, kPadding) {
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) Set(x, y, fill);
    }
    void Set(int32_t x, int32_t y, int32_t colour) {
        uint8_t* p = &bytes[static_cast<size_t>(y) * stride + 3 * x];
        p[0] = colour & 0xFF;
        p[1] = (colour >> 8) & 0xFF;
        p[2] = (colour >> 16) & 0xFF;
    }
    tk::ByteView View() { return tk::ByteView(bytes.data(), stride, h); }
};

// The note skin: 284 x 210, white margin, a black-outlined yellow card from column 5 to 276
// and picture row 5 to 205 (rows counted from the top).
Picture Skin() {
    Picture p(284, 210, kWhite);
    for (int32_t top = 5; top <= 205; ++top) {
        for (int32_t x = 5; x <= 276; ++x) {
            bool outline = top == 5 || top == 205 || x == 5 || x == 276;
            p.Set(x, 209 - top, outline ? kBlack : kYellow);
        }
    }
    return p;
}

// Pixel by pixel through the checked element access, as plainly as it can be said.
std::vector<RunRect> ReferenceRuns(Picture& p, int32_t key, int32_t border, int32_t title) {
    tk::ByteView v = p.View();
    std::vector<RunRect> runs;
    for (int32_t y = 0; y < p.h; ++y) {
        int32_t start = -1;
        for (int32_t x = 0; x <= p.w; ++x) {
            bool isKey = x == p.w || v.At(3 * x, y) + 256 * v.At(3 * x + 1, y) + 65536 * v.At(3 * x + 2, y) == key;
            if (!isKey && start < 0) start = x;
            if (isKey && start >= 0) {
                runs.push_back({border + start, title + p.h - 1 - y, border + x, title + p.h - y});
                start = -1;
            }
        }
    }
    return runs;
}

TEST(RunScan, SkinGivesOneRunPerCardRowAndTakesWhiteAsKey) {
    Picture skin = Skin();
    for (auto [border, title] : {std::pair{0, 0}, std::pair{4, 23}}) {
        int32_t key = imaging::kKeyFromPicture;
        std::vector<RunRect> runs = CollectNonKeyRuns(skin.View(), 284, 210, key, border, title);
        EXPECT_EQ(key, 16777215);
        std::vector<RunRect> expected;
        for (int32_t top = 205; top >= 5; --top) {  // memory row 0 (the bottom) first
            expected.push_back({border + 5, title + top, border + 277, title + top + 1});
        }
        EXPECT_EQ(runs, expected) << "border " << border << " title " << title;
    }
}

TEST(RunScan, KeyOtherThanOneIsUsedAsGivenWithBlueInTheLowByte) {
    Picture p(4, 2, kWhite);
    p.Set(1, 0, 0xFF0000);  // pure red: red is the high byte
    p.Set(2, 1, 0x0000FF);  // pure blue
    int32_t redKey = 0xFF0000;
    auto runs = CollectNonKeyRuns(p.View(), 4, 2, redKey, 0, 0);
    EXPECT_EQ(redKey, 0xFF0000);
    // Red is the key: row 0 splits around it, row 1 is one run.
    EXPECT_EQ(runs, (std::vector<RunRect>{{0, 1, 1, 2}, {2, 1, 4, 2}, {0, 0, 4, 1}}));

    // Red written with red in the low byte reads as blue: it matches the blue pixel instead.
    int32_t swapped = 0x0000FF;
    runs = CollectNonKeyRuns(p.View(), 4, 2, swapped, 0, 0);
    EXPECT_EQ(swapped, 0x0000FF);
    EXPECT_EQ(runs, (std::vector<RunRect>{{0, 1, 4, 2}, {0, 0, 2, 1}, {3, 0, 4, 1}}));

    // White reads the same either way.
    int32_t white = kWhite;
    EXPECT_EQ(CollectNonKeyRuns(p.View(), 4, 2, white, 0, 0),
              (std::vector<RunRect>{{1, 1, 2, 2}, {2, 0, 3, 1}}));
}

TEST(RunScan, KeyFromPictureIsTheBottomLeftPixel) {
    Picture p(3, 2, 0x123456);
    p.Set(0, 0, 0x654321);  // memory row 0 is the picture's bottom row
    p.Set(2, 1, 0x654321);
    int32_t key = imaging::kKeyFromPicture;
    auto runs = CollectNonKeyRuns(p.View(), 3, 2, key, 0, 0);
    EXPECT_EQ(key, 0x654321);
    EXPECT_EQ(runs, (std::vector<RunRect>{{1, 1, 3, 2}, {0, 0, 2, 1}}));
}

TEST(RunScan, RowsOfOnlyKeyOrOnlyNonKeyPixels) {
    Picture p(6, 3, kWhite);
    for (int32_t x = 0; x < 6; ++x) p.Set(x, 1, kBlack);
    int32_t key = kWhite;
    // Row 0 and row 2 add nothing; row 1 is one run from border to border + w.
    EXPECT_EQ(CollectNonKeyRuns(p.View(), 6, 3, key, 4, 23), (std::vector<RunRect>{{4, 24, 10, 25}}));
}

TEST(RunScan, HolesAndTheFirstAndLastColumns) {
    Picture p(7, 1, kBlack);
    p.Set(2, 0, kWhite);
    p.Set(4, 0, kWhite);
    p.Set(5, 0, kWhite);
    int32_t key = kWhite;
    // Runs 0-1, 3, 6: the first and the last pixel belong to their runs.
    EXPECT_EQ(CollectNonKeyRuns(p.View(), 7, 1, key, 0, 0),
              (std::vector<RunRect>{{0, 0, 2, 1}, {3, 0, 4, 1}, {6, 0, 7, 1}}));
}

TEST(RunScan, OnePixelWidePictureWithPaddedRows) {
    Picture p(1, 4, kWhite);  // rows of 4 bytes: one pixel and one padding byte
    p.Set(0, 1, kBlack);
    p.Set(0, 3, kYellow);
    int32_t key = imaging::kKeyFromPicture;
    auto runs = CollectNonKeyRuns(p.View(), 1, 4, key, 4, 23);
    EXPECT_EQ(key, kWhite);
    EXPECT_EQ(runs, (std::vector<RunRect>{{4, 25, 5, 26}, {4, 23, 5, 24}}));
}

TEST(RunScan, RandomMasksMatchAPixelByPixelScan) {
    std::mt19937 rng(20240611);
    const int32_t palette[] = {kWhite, kBlack, kYellow, 0xFFFFFE, 0xFEFFFF, 0x7FFFFF};
    for (int trial = 0; trial < 300; ++trial) {
        int32_t w = 1 + rng() % 70, h = 1 + rng() % 40;
        Picture p(w, h, kWhite);
        int density = rng() % 100;
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                if (static_cast<int>(rng() % 100) < density) p.Set(x, y, palette[1 + rng() % 5]);
        int32_t border = rng() % 10, title = rng() % 40;
        int32_t key = trial % 2 ? imaging::kKeyFromPicture : kWhite;
        int32_t usedKey = key == 1 ? p.bytes[0] | p.bytes[1] << 8 | p.bytes[2] << 16 : key;
        auto runs = CollectNonKeyRuns(p.View(), w, h, key, border, title);
        EXPECT_EQ(key, usedKey);
        ASSERT_EQ(runs, ReferenceRuns(p, usedKey, border, title)) << "trial " << trial << " " << w << "x" << h;
    }
}

TEST(RunScan, KeyOutsideTwentyFourBitsMatchesNoPixel) {
    Picture p(3, 2, kWhite);
    for (int32_t key : {-1, 0x1000000, INT_MIN}) {
        int32_t k = key;
        EXPECT_EQ(CollectNonKeyRuns(p.View(), 3, 2, k, 0, 0), (std::vector<RunRect>{{0, 1, 3, 2}, {0, 0, 3, 1}}));
        EXPECT_EQ(k, key);
    }
}

TEST(RunScan, PictureWithoutPixelsIsNotRead) {
    int32_t key = imaging::kKeyFromPicture;
    tk::ByteView none;
    EXPECT_TRUE(CollectNonKeyRuns(none, 0, 0, key, 0, 0).empty());
    EXPECT_TRUE(CollectNonKeyRuns(none, 284, 0, key, 0, 0).empty());
    EXPECT_TRUE(CollectNonKeyRuns(none, -3, 5, key, 0, 0).empty());
    EXPECT_EQ(key, imaging::kKeyFromPicture);
}

TEST(RunScan, ViewTooSmallRaisesBeforeAnyRunIsReported) {
    Picture p(4, 3, kBlack);
    int calls = 0;
    auto count = [&](int32_t, int32_t, int32_t, int32_t) { ++calls; };
    int32_t key = imaging::kKeyFromPicture;
    EXPECT_THROW(imaging::ScanNonKeyRuns(p.View(), 5, 3, key, 0, 0, count), tk::IndexOutOfRangeError);
    EXPECT_THROW(imaging::ScanNonKeyRuns(p.View(), 4, 4, key, 0, 0, count), tk::IndexOutOfRangeError);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(key, imaging::kKeyFromPicture);
}

TEST(RunScan, PositionOverflowRaises) {
    Picture p(3, 2, kBlack);
    for (int32_t x = 0; x < 3; ++x) p.Set(x, 0, kWhite);  // the bottom row is all key
    int32_t key = kWhite;
    EXPECT_THROW(CollectNonKeyRuns(p.View(), 3, 2, key, INT_MAX - 2, 0), tk::OverflowError);
    EXPECT_THROW(CollectNonKeyRuns(p.View(), 3, 2, key, 0, INT_MAX), tk::OverflowError);
    // The largest positions that fit. The bottom row would need title + 2, but a row
    // without runs places nothing and so cannot overflow.
    EXPECT_EQ(CollectNonKeyRuns(p.View(), 3, 2, key, INT_MAX - 3, INT_MAX - 1),
              (std::vector<RunRect>{{INT_MAX - 3, INT_MAX - 1, INT_MAX, INT_MAX}}));
}

}  // namespace
