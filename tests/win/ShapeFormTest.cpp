// ShapeFormToPicture on real windows: size, unit, key and region, compared with the
// region that one rectangle per non-key pixel gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "DibSectionTestUtil.h"
#include "imaging/Module1.h"
#include "toolkit/Gdi.h"

using dibtest::FormHolder;
using dibtest::RegionRects;
using dibtest::ShapeTestForm;

namespace {

constexpr int32_t kWhite = 0xFFFFFF;

// Where the client area lies inside the outer rectangle, as the system places it.
struct Frame {
    int border, title;
};
Frame ClientOffset(HWND hwnd) {
    RECT outer;
    GetWindowRect(hwnd, &outer);
    POINT origin = {0, 0};
    ClientToScreen(hwnd, &origin);
    return {origin.x - outer.left, origin.y - outer.top};
}

SIZE OuterSize(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

SIZE ClientSize(HWND hwnd) {
    RECT r;
    GetClientRect(hwnd, &r);
    return {r.right, r.bottom};
}

// A picture with pixels given row by row from the top, as colour values.
HBITMAP MakePicture(int w, int h, const std::vector<int32_t>& topDown) {
    uint8_t* bits = nullptr;
    HBITMAP bmp = dibtest::MakeDib24(w, h, &bits);
    const int stride = (3 * w + 3) & ~3;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = bits + static_cast<size_t>(h - 1 - y) * stride + 3 * x;
            int32_t c = topDown[static_cast<size_t>(y) * w + x];
            p[0] = static_cast<uint8_t>(c);
            p[1] = static_cast<uint8_t>(c >> 8);
            p[2] = static_cast<uint8_t>(c >> 16);
        }
    return bmp;
}

// The region the rule asks for, built without runs: one 1 x 1 rectangle for every pixel
// whose colour value is not the key, at (border + x, title + y).
// The caller owns the region.
HRGN ExpectedRegion(int w, int h, const std::vector<int32_t>& topDown, int32_t key, Frame f) {
    tk::ScopedGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (topDown[static_cast<size_t>(y) * w + x] == key) continue;
            tk::ScopedGdiObject<HRGN> px(CreateRectRgn(f.border + x, f.title + y, f.border + x + 1, f.title + y + 1));
            CombineRgn(region.Get(), region.Get(), px.Get(), RGN_OR);
        }
    return region.Release();
}

// The window's region compared with the expected one: as sets, and rectangle by
// rectangle in the system's own order.
void ExpectWindowRegion(HWND hwnd, HRGN expected) {
    tk::ScopedGdiObject<HRGN> actual(CreateRectRgn(0, 0, 0, 0));
    int kind = GetWindowRgn(hwnd, actual.Get());
    ASSERT_NE(kind, ERROR) << "the window has no region";
    EXPECT_TRUE(EqualRgn(actual.Get(), expected));
    std::vector<RECT> got = RegionRects(actual.Get()), want = RegionRects(expected);
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].left, want[i].left) << i;
        EXPECT_EQ(got[i].top, want[i].top) << i;
        EXPECT_EQ(got[i].right, want[i].right) << i;
        EXPECT_EQ(got[i].bottom, want[i].bottom) << i;
    }
}

// ---- the skin -------------------------------------------------------------------------

TEST(ShapeFormSkin, APopupWindowBecomesThePictureSizeAndOneRectangleAtFiveFive) {
    FormHolder form(tk::LoadForm<ShapeTestForm>(dibtest::PopupStyle()));
    form->SetPicture(dibtest::LoadSkin());
    ASSERT_NE(form->Picture(), nullptr);
    int32_t key = 1;
    ShapeFormToPicture(*form, key);

    EXPECT_EQ(key, kWhite) << "the key found is written back";
    EXPECT_EQ(form->GetScaleMode(), tk::ScaleMode::Pixels);
    SIZE outer = OuterSize(form->Handle());
    EXPECT_EQ(outer.cx, 284);
    EXPECT_EQ(outer.cy, 210);
    tk::ScopedGdiObject<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_EQ(GetWindowRgn(form->Handle(), rgn.Get()), SIMPLEREGION);
    std::vector<RECT> rects = RegionRects(rgn.Get());
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].left, 5);
    EXPECT_EQ(rects[0].top, 5);
    EXPECT_EQ(rects[0].right, 5 + 272);
    EXPECT_EQ(rects[0].bottom, 5 + 201);
}

TEST(ShapeFormSkin, AFramedWindowGetsAClientAreaOfThePictureAndTheRegionOverIt) {
    FormHolder form(tk::LoadForm<ShapeTestForm>(dibtest::FramedStyle()));
    const Frame frame = ClientOffset(form->Handle());
    SIZE before = OuterSize(form->Handle()), client = ClientSize(form->Handle());
    ASSERT_GT(frame.title, frame.border) << "the window has a title bar";
    ASSERT_EQ(before.cx - client.cx, 2 * frame.border) << "left and right frames are equal";
    ASSERT_EQ(before.cy - client.cy, frame.title + frame.border) << "the bottom frame is the border";

    form->SetPicture(dibtest::LoadSkin());
    int32_t key = 1;
    ShapeFormToPicture(*form, key);

    EXPECT_EQ(key, kWhite);
    SIZE after = ClientSize(form->Handle());
    EXPECT_EQ(after.cx, 284);
    EXPECT_EQ(after.cy, 210);
    SIZE outer = OuterSize(form->Handle());
    EXPECT_EQ(outer.cx, 284 + 2 * frame.border);
    EXPECT_EQ(outer.cy, 210 + frame.title + frame.border);

    // The skin's rule: rows 5 .. 205, columns 5 .. 276 each, shifted onto the client area.
    tk::ScopedGdiObject<HRGN> expected(CreateRectRgn(0, 0, 0, 0));
    for (int row = 5; row <= 205; ++row) {
        tk::ScopedGdiObject<HRGN> run(
            CreateRectRgn(frame.border + 5, frame.title + row, frame.border + 277, frame.title + row + 1));
        CombineRgn(expected.Get(), expected.Get(), run.Get(), RGN_OR);
    }
    ExpectWindowRegion(form->Handle(), expected.Get());
    EXPECT_EQ(ClientOffset(form->Handle()).border, frame.border);
    EXPECT_EQ(ClientOffset(form->Handle()).title, frame.title);
}

TEST(ShapeFormSkin, AKeyOtherThanOneIsUsedAsItIsAndKeptInTheCallersVariable) {
    FormHolder form(tk::LoadForm<ShapeTestForm>(dibtest::PopupStyle()));
    form->SetPicture(dibtest::LoadSkin());
    // Yellow is red 255, green 255, blue 0: with blue in the low byte, 0xFFFF00.
    int32_t key = 0xFFFF00;
    ShapeFormToPicture(*form, key);
    EXPECT_EQ(key, 0xFFFF00);
    // White margin and black outline stay: the region is everything but the yellow inside.
    tk::ScopedGdiObject<HRGN> expected(CreateRectRgn(0, 0, 284, 210));
    tk::ScopedGdiObject<HRGN> inside(CreateRectRgn(6, 6, 276, 205));
    CombineRgn(expected.Get(), expected.Get(), inside.Get(), RGN_DIFF);
    ExpectWindowRegion(form->Handle(), expected.Get());
}

// ---- pictures with holes --------------------------------------------------------------

struct MaskCase {
    const char* name;
    int w, h;
    std::vector<int32_t> pixels;  // top-down
    int32_t key;                  // passed in; 1 takes the bottom-left pixel
};

std::vector<int32_t> RandomMask(int w, int h, int32_t keyColour, unsigned seed, int keyPercent) {
    std::mt19937 gen(seed);
    std::uniform_int_distribution<int> pct(0, 99), colour(0, 0xFFFFFF);
    std::vector<int32_t> px(static_cast<size_t>(w) * h);
    for (auto& p : px) {
        if (pct(gen) < keyPercent) {
            p = keyColour;
        } else {
            do p = colour(gen); while (p == keyColour);
        }
    }
    return px;
}

void ShapeAndCompare(const MaskCase& c, const tk::FormStyle& style) {
    SCOPED_TRACE(c.name);
    FormHolder form(tk::LoadForm<ShapeTestForm>(style));
    const Frame frame = ClientOffset(form->Handle());
    form->SetPicture(MakePicture(c.w, c.h, c.pixels));
    int32_t key = c.key;
    ShapeFormToPicture(*form, key);
    const int32_t bottomLeft = c.pixels[static_cast<size_t>(c.h - 1) * c.w];
    EXPECT_EQ(key, c.key == 1 ? bottomLeft : c.key);
    // A window with a title bar is not made smaller than the system's minimum tracking
    // size; the region is placed by the frame all the same.
    SIZE outer = OuterSize(form->Handle());
    int minW = 0, minH = 0;
    if (style.style & WS_CAPTION) {
        minW = GetSystemMetrics(SM_CXMINTRACK);
        minH = GetSystemMetrics(SM_CYMINTRACK);
    }
    EXPECT_EQ(outer.cx, std::max(minW, 2 * frame.border + c.w));
    EXPECT_EQ(outer.cy, std::max(minH, frame.title + frame.border + c.h));
    tk::ScopedGdiObject<HRGN> expected(ExpectedRegion(c.w, c.h, c.pixels, key, frame));
    ExpectWindowRegion(form->Handle(), expected.Get());
}

TEST(ShapeFormMasks, RandomMasksGiveTheRegionOfTheirNonKeyPixels) {
    const int sizes[][2] = {{37, 23}, {64, 9}, {5, 40}, {1, 17}, {2, 2}, {120, 3}};
    unsigned seed = 11;
    for (const auto& s : sizes)
        for (int keyPercent : {10, 50, 90}) {
            std::vector<int32_t> px = RandomMask(s[0], s[1], kWhite, seed++, keyPercent);
            px[static_cast<size_t>(s[1] - 1) * s[0]] = kWhite;  // key 1 finds white
            MaskCase c{"random", s[0], s[1], px, 1};
            ShapeAndCompare(c, dibtest::PopupStyle());
            ShapeAndCompare(c, dibtest::FramedStyle());
        }
}

TEST(ShapeFormMasks, EdgeColumnsFullRowsEmptyRowsAndHoles) {
    const int w = 9, h = 6;
    const int32_t K = kWhite, B = 0x000000, Y = 0xFFFF00;
    std::vector<int32_t> px = {
        B, K, K, K, K, K, K, K, B,  // first and last column alone
        K, K, K, K, K, K, K, K, K,  // nothing
        Y, Y, Y, Y, Y, Y, Y, Y, Y,  // one run across the whole row
        Y, K, Y, K, K, Y, Y, K, Y,  // holes: four runs
        K, B, B, B, K, B, B, B, K,  // two runs
        K, Y, K, K, K, K, K, K, B,  // bottom-left is the key
    };
    ShapeAndCompare({"edges", w, h, px, 1}, dibtest::PopupStyle());
    ShapeAndCompare({"edges", w, h, px, 1}, dibtest::FramedStyle());
}

TEST(ShapeFormMasks, OnePixelWidePictureGivesOnePixelRectangles) {
    const int32_t K = kWhite, B = 0x000000;
    std::vector<int32_t> px = {B, K, B, B, K, K, B, K};
    ShapeAndCompare({"one wide", 1, 8, px, 1}, dibtest::PopupStyle());
}

TEST(ShapeFormMasks, TheBottomLeftPixelGivesTheKeyWhateverItsColour) {
    std::vector<int32_t> px = RandomMask(20, 10, 0x123456, 99, 40);
    px[9 * 20] = 0x123456;  // bottom-left
    ShapeAndCompare({"coloured key", 20, 10, px, 1}, dibtest::PopupStyle());
}

TEST(ShapeFormMasks, AKeyIsReadWithBlueInItsLowByte) {
    const int32_t pureBlue = 255, pureRed = 0xFF0000, K = kWhite;
    std::vector<int32_t> px = {pureBlue, K, pureRed, pureRed, pureBlue, K};
    // Key 255 is pure blue: blue pixels become holes, red ones stay.
    ShapeAndCompare({"blue key", 3, 2, px, pureBlue}, dibtest::PopupStyle());
    ShapeAndCompare({"red key", 3, 2, px, pureRed}, dibtest::PopupStyle());
}

TEST(ShapeFormMasks, AllKeyPictureGivesAnEmptyRegion) {
    std::vector<int32_t> px(12 * 7, kWhite);
    FormHolder form(tk::LoadForm<ShapeTestForm>(dibtest::PopupStyle()));
    form->SetPicture(MakePicture(12, 7, px));
    int32_t key = 1;
    ShapeFormToPicture(*form, key);
    tk::ScopedGdiObject<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetWindowRgn(form->Handle(), rgn.Get()), NULLREGION);
}

// ---- no picture -------------------------------------------------------------------------

TEST(ShapeFormNoPicture, WithoutADibTheWindowStaysRectangularButMeasuresInPixels) {
    for (bool brushAsPicture : {false, true}) {
        SCOPED_TRACE(brushAsPicture ? "a brush as picture" : "no picture");
        FormHolder form(tk::LoadForm<ShapeTestForm>(dibtest::FramedStyle()));
        // The form owns and deletes what it is given.
        if (brushAsPicture) form->SetPicture(reinterpret_cast<HBITMAP>(CreateSolidBrush(RGB(9, 9, 9))));
        SIZE before = OuterSize(form->Handle());
        int32_t key = 1;
        ShapeFormToPicture(*form, key);
        EXPECT_EQ(form->GetScaleMode(), tk::ScaleMode::Pixels);
        EXPECT_EQ(key, 1) << "no pixel was read";
        SIZE after = OuterSize(form->Handle());
        EXPECT_EQ(after.cx, before.cx);
        EXPECT_EQ(after.cy, before.cy);
        tk::ScopedGdiObject<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(GetWindowRgn(form->Handle(), rgn.Get()), ERROR) << "no region was set";
    }
}

}  // namespace
