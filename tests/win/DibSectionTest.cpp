// cDIBSection on real DIB sections: states, creation and release, the block copies in and
// out, and the picture import.
#include <gtest/gtest.h>

#include "DibSectionTestUtil.h"
#include "toolkit/Gdi.h"
#include "toolkit/core/Errors.h"

using dibtest::ColourAt;
using dibtest::DcColourAt;
using dibtest::GdiObjectCount;
using dibtest::Pattern;

namespace {

void ExpectEmpty(const cDIBSection& dib) {
    EXPECT_FALSE(dib.Holding());
    EXPECT_EQ(dib.hdc(), nullptr);
    EXPECT_EQ(dib.hDib(), nullptr);
    EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
}

// A screen-compatible bitmap of w x h filled with the pattern, selected into a memory DC.
class PatternDC {
public:
    PatternDC(int w, int h, bool pattern = true)
        : m_screen(nullptr), m_dc(m_screen.Get()),
          m_bitmap(CreateCompatibleBitmap(m_screen.Get(), w, h)), m_select(m_dc.Get(), m_bitmap.Get()) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int32_t c = pattern ? Pattern(x, y) : 0x5A5A5A;
                SetPixelV(m_dc.Get(), x, y, RGB(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF));
            }
    }
    HDC Get() const { return m_dc.Get(); }

private:
    tk::ScopedGetDC m_screen;
    tk::ScopedCompatibleDC m_dc;
    tk::ScopedGdiObject<HBITMAP> m_bitmap;
    tk::ScopedSelectObject m_select;
};

constexpr int32_t kMarker = 0x5A5A5A;

// ---- states -------------------------------------------------------------------------

TEST(DibSectionState, ANewObjectIsEmptyAndHasNoSize) {
    auto dib = cDIBSection::New();
    ExpectEmpty(*dib);
    EXPECT_EQ(dib->Width(), 0);
    EXPECT_EQ(dib->Height(), 0);
    EXPECT_EQ(dib->BytesPerScanLine(), 0);
}

TEST(DibSectionState, CreateHoldsA24BitBottomUpDibSelectedIntoItsOwnDc) {
    auto dib = cDIBSection::New();
    ASSERT_TRUE(dib->Create(284, 210));
    EXPECT_TRUE(dib->Holding());
    EXPECT_EQ(dib->Width(), 284);
    EXPECT_EQ(dib->Height(), 210);
    EXPECT_EQ(dib->BytesPerScanLine(), 852);
    ASSERT_NE(dib->hdc(), nullptr);
    ASSERT_NE(dib->hDib(), nullptr);
    ASSERT_NE(dib->DIBSectionBitsPtr(), nullptr);

    const BITMAPINFOHEADER& h = dib->Header();
    EXPECT_EQ(h.biSize, 40u);
    EXPECT_EQ(h.biPlanes, 1);
    EXPECT_EQ(h.biBitCount, 24);
    EXPECT_EQ(h.biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(h.biSizeImage, 178920u);
    EXPECT_EQ(h.biXPelsPerMeter, 0);
    EXPECT_EQ(h.biClrUsed, 0u);

    EXPECT_EQ(GetObjectType(dib->hdc()), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GetCurrentObject(dib->hdc(), OBJ_BITMAP), dib->hDib());
    DIBSECTION ds = {};
    ASSERT_EQ(GetObjectW(dib->hDib(), sizeof ds, &ds), static_cast<int>(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmBits, dib->DIBSectionBitsPtr());
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 24);
    EXPECT_EQ(ds.dsBmih.biHeight, 210);  // positive: bottom-up
}

TEST(DibSectionState, RowLengthAgreesWithThePlatformForNarrowAndSkinWidths) {
    auto dib = cDIBSection::New();
    for (int32_t w : {1, 2, 3, 4, 5, 7, 283, 284}) {
        ASSERT_TRUE(dib->Create(w, 2)) << w;
        DIBSECTION ds = {};
        ASSERT_NE(GetObjectW(dib->hDib(), sizeof ds, &ds), 0);
        EXPECT_EQ(dib->BytesPerScanLine(), ds.dsBm.bmWidthBytes) << w;
        EXPECT_EQ(dib->Header().biSizeImage, static_cast<DWORD>(2 * ds.dsBm.bmWidthBytes)) << w;
    }
}

TEST(DibSectionState, ClearUpFreesDcAndDibKeepsTheSizeAndASecondOneDeletesNothing) {
    auto dib = cDIBSection::New();
    ASSERT_TRUE(dib->Create(30, 20));
    HDC oldDc = dib->hdc();
    HBITMAP oldDib = dib->hDib();
    const int before = GdiObjectCount();

    dib->ClearUp();
    ExpectEmpty(*dib);
    EXPECT_EQ(GetObjectType(oldDc), 0u);
    EXPECT_EQ(GetObjectType(oldDib), 0u);
    EXPECT_EQ(dib->Width(), 30);
    EXPECT_EQ(dib->Height(), 20);
    EXPECT_EQ(GdiObjectCount(), before - 2);

    // Whatever takes the freed handles' places must survive the second ClearUp.
    tk::ScopedGdiObject<HRGN> bystander(CreateRectRgn(0, 0, 1, 1));
    tk::ScopedCompatibleDC bystanderDc(nullptr);
    const int afterBystanders = GdiObjectCount();
    dib->ClearUp();
    ExpectEmpty(*dib);
    EXPECT_EQ(GetObjectType(bystander.Get()), static_cast<DWORD>(OBJ_REGION));
    EXPECT_EQ(GetObjectType(bystanderDc.Get()), static_cast<DWORD>(OBJ_MEMDC));
    EXPECT_EQ(GdiObjectCount(), afterBystanders);
}

TEST(DibSectionState, ASecondCreateFreesTheFirstDcAndDib) {
    auto dib = cDIBSection::New();
    ASSERT_TRUE(dib->Create(10, 10));
    HDC firstDc = dib->hdc();
    HBITMAP firstDib = dib->hDib();
    const int holdingOne = GdiObjectCount();

    ASSERT_TRUE(dib->Create(20, 5));
    EXPECT_EQ(GetObjectType(firstDc), 0u);
    EXPECT_EQ(GetObjectType(firstDib), 0u);
    EXPECT_EQ(GetObjectType(dib->hDib()), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(dib->Width(), 20);
    EXPECT_EQ(dib->Height(), 5);
    EXPECT_EQ(GdiObjectCount(), holdingOne);
}

TEST(DibSectionState, RefusedDibsLeaveTheObjectEmptyWithTheRequestedSize) {
    auto dib = cDIBSection::New();
    const int start = GdiObjectCount();
    struct Case {
        int32_t w, h;
    };
    // 0 x 0 and a negative width the platform refuses; a negative height would be a
    // top-down DIB, which the object refuses itself.
    for (Case c : {Case{0, 0}, Case{-5, 3}, Case{5, -3}, Case{7, 0}}) {
        ASSERT_TRUE(dib->Create(4, 4));
        HBITMAP earlier = dib->hDib();
        EXPECT_FALSE(dib->Create(c.w, c.h)) << c.w << "x" << c.h;
        ExpectEmpty(*dib);
        EXPECT_EQ(GetObjectType(earlier), 0u);  // the earlier DIB went first
        EXPECT_EQ(dib->Width(), c.w);
        EXPECT_EQ(dib->Height(), c.h);
        EXPECT_EQ(GdiObjectCount(), start) << "no DC is left behind";
    }
}

TEST(DibSectionState, AbsurdSizesRaiseOverflowAndLeaveTheObjectEmpty) {
    auto dib = cDIBSection::New();
    const int start = GdiObjectCount();
    ASSERT_TRUE(dib->Create(4, 4));
    // 90,000 bytes a row times 30,000 rows, and a row longer than 32 bits can count.
    EXPECT_THROW(dib->Create(30000, 30000), tk::OverflowError);
    ExpectEmpty(*dib);
    EXPECT_EQ(dib->Width(), 30000);
    EXPECT_THROW(dib->Create(715827882, 1), tk::OverflowError);
    ExpectEmpty(*dib);
    EXPECT_EQ(GdiObjectCount(), start);
}

TEST(DibSectionState, CreateDIBHandsItsBitmapToTheCallerAndIsRefusedWhileHolding) {
    auto dib = cDIBSection::New();
    tk::ScopedCompatibleDC dc(nullptr);
    HBITMAP mine = nullptr;
    ASSERT_TRUE(dib->CreateDIB(dc.Get(), 3, 2, mine));
    tk::ScopedGdiObject<HBITMAP> owned(mine);
    DIBSECTION ds = {};
    ASSERT_NE(GetObjectW(mine, sizeof ds, &ds), 0);
    EXPECT_EQ(dib->DIBSectionBitsPtr(), ds.dsBm.bmBits);
    EXPECT_EQ(dib->Width(), 3);
    EXPECT_EQ(dib->Header().biSizeImage, 24u);
    EXPECT_FALSE(dib->Holding());  // the bitmap is the caller's, not the object's
    EXPECT_EQ(dib->hDib(), nullptr);
    dib->RandomiseBits(true);
    const auto* callerBits = static_cast<const uint8_t*>(ds.dsBm.bmBits);
    for (int i = 0; i < 24; ++i)
        ASSERT_EQ(callerBits[i], 0) << "the caller's bitmap is not the object's picture";

    ASSERT_TRUE(dib->Create(5, 5));
    void* bits = dib->DIBSectionBitsPtr();
    HBITMAP other = reinterpret_cast<HBITMAP>(1);
    EXPECT_FALSE(dib->CreateDIB(dc.Get(), 9, 9, other));
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(dib->DIBSectionBitsPtr(), bits);
    EXPECT_EQ(dib->Width(), 5);
    EXPECT_TRUE(dib->Holding());
}

TEST(DibSectionState, SharedReferencesKeepTheDibAndTheLastReleaseClearsUp) {
    auto first = cDIBSection::New();
    ASSERT_TRUE(first->Create(8, 8));
    HDC dc = first->hdc();
    HBITMAP bmp = first->hDib();
    std::shared_ptr<cDIBSection> second = first;
    first.reset();
    EXPECT_EQ(GetObjectType(bmp), static_cast<DWORD>(OBJ_BITMAP));
    EXPECT_EQ(second->hdc(), dc);
    second.reset();
    EXPECT_EQ(GetObjectType(dc), 0u);
    EXPECT_EQ(GetObjectType(bmp), 0u);
}

// ---- block copies ---------------------------------------------------------------------

class DibSectionBlit : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dib->Create(20, 10));
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x) dibtest::SetColourAt(*dib, x, y, kMarker);
        GdiFlush();
    }
    std::shared_ptr<cDIBSection> dib = cDIBSection::New();
    PatternDC source{40, 30};
};

TEST_F(DibSectionBlit, LoadPictureBltWithDefaultsCopiesTheTopLeftBlockOverTheWholeDib) {
    dib->LoadPictureBlt(source.Get());
    GdiFlush();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(ColourAt(*dib, x, y), Pattern(x, y)) << x << "," << y;
}

TEST_F(DibSectionBlit, LoadPictureBltTakesTheSourcePositionAndAnyNegativeSizeAsFull) {
    dib->LoadPictureBlt(source.Get(), 3, 4, -7, 5);
    GdiFlush();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            int32_t want = y < 5 ? Pattern(3 + x, 4 + y) : kMarker;
            ASSERT_EQ(ColourAt(*dib, x, y), want) << x << "," << y;
        }
}

TEST_F(DibSectionBlit, LoadPictureBltWithAZeroSizeCopiesNothing) {
    dib->LoadPictureBlt(source.Get(), 0, 0, 0, -1);
    dib->LoadPictureBlt(source.Get(), 0, 0, -1, 0);
    GdiFlush();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(ColourAt(*dib, x, y), kMarker) << x << "," << y;
}

TEST_F(DibSectionBlit, LoadPictureBltPassesTheRasterOperationThrough) {
    dib->LoadPictureBlt(source.Get(), 1, 2, 4, 3, NOTSRCCOPY);
    GdiFlush();
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            int32_t want = x < 4 && y < 3 ? (~Pattern(1 + x, 2 + y) & 0xFFFFFF) : kMarker;
            ASSERT_EQ(ColourAt(*dib, x, y), want) << x << "," << y;
        }
}

TEST_F(DibSectionBlit, PaintPictureWithDefaultsPaintsTheWholeDibAtTheOrigin) {
    dibtest::FillPattern(*dib);
    PatternDC dest(40, 30, false);
    dib->PaintPicture(dest.Get());
    GdiFlush();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            int32_t want = x < 20 && y < 10 ? Pattern(x, y) : kMarker;
            ASSERT_EQ(DcColourAt(dest.Get(), x, y), want) << x << "," << y;
        }
}

TEST_F(DibSectionBlit, PaintPictureCopiesTheChosenBlockToTheChosenPlace) {
    dibtest::FillPattern(*dib);
    PatternDC dest(40, 30, false);
    dib->PaintPicture(dest.Get(), 10, 20, 5, 5, 2, 3);
    GdiFlush();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            bool inside = x >= 10 && x < 15 && y >= 20 && y < 25;
            int32_t want = inside ? Pattern(x - 10 + 2, y - 20 + 3) : kMarker;
            ASSERT_EQ(DcColourAt(dest.Get(), x, y), want) << x << "," << y;
        }
}

TEST_F(DibSectionBlit, PaintPictureTakesANegativeSizeAsFullAndZeroAsNothing) {
    dibtest::FillPattern(*dib);
    PatternDC dest(40, 30, false);
    dib->PaintPicture(dest.Get(), 1, 1, 0, -1);
    GdiFlush();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(DcColourAt(dest.Get(), x, y), kMarker);
    dib->PaintPicture(dest.Get(), 1, 2, -3, -100);
    GdiFlush();
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            bool inside = x >= 1 && x < 21 && y >= 2 && y < 12;
            int32_t want = inside ? Pattern(x - 1, y - 2) : kMarker;
            ASSERT_EQ(DcColourAt(dest.Get(), x, y), want) << x << "," << y;
        }
}

// ---- picture import -------------------------------------------------------------------

TEST(DibSectionFromPicture, TheSkinBecomesA284By210DibWithTheSamePixels) {
    tk::ScopedGdiObject<HBITMAP> skin(dibtest::LoadSkin());
    ASSERT_NE(skin.Get(), nullptr);
    DIBSECTION ds = {};
    ASSERT_NE(GetObjectW(skin.Get(), sizeof ds, &ds), 0);
    ASSERT_EQ(ds.dsBm.bmBitsPixel, 24);

    auto dib = cDIBSection::New();
    dib->CreateFromPicture(skin.Get());
    ASSERT_TRUE(dib->Holding());
    EXPECT_EQ(dib->Width(), 284);
    EXPECT_EQ(dib->Height(), 210);
    EXPECT_EQ(dib->BytesPerScanLine(), 852);
    GdiFlush();
    const auto* bits = static_cast<const uint8_t*>(dib->DIBSectionBitsPtr());
    EXPECT_EQ(bits[0], 255);  // the bottom-left pixel, first in memory, is white
    EXPECT_EQ(bits[1], 255);
    EXPECT_EQ(bits[2], 255);
    // Both are bottom-up with 852-byte rows: the memory must be the BMP's pixel data.
    EXPECT_EQ(std::memcmp(bits, ds.dsBm.bmBits, 852 * 210), 0);
    EXPECT_EQ(ColourAt(*dib, 5, 5), 0x000000);    // the outline's corner
    EXPECT_EQ(ColourAt(*dib, 6, 6), 0xFFFF00);    // yellow: red and green, no blue
    EXPECT_EQ(ColourAt(*dib, 277, 5), 0xFFFFFF);  // the right margin
    // The picture is back on its own, selectable again.
    tk::ScopedCompatibleDC dc(nullptr);
    EXPECT_NE(SelectObject(dc.Get(), skin.Get()), nullptr);
}

TEST(DibSectionFromPicture, AScreenBitmapIsCopiedPixelForPixel) {
    PatternDC source(13, 9);
    // The pattern's bitmap is selected into source's DC; copy it into a second bitmap
    // that no DC holds, as a picture is.
    tk::ScopedGetDC screen(nullptr);
    tk::ScopedGdiObject<HBITMAP> picture(CreateCompatibleBitmap(screen.Get(), 13, 9));
    {
        tk::ScopedCompatibleDC dc(screen.Get());
        tk::ScopedSelectObject sel(dc.Get(), picture.Get());
        BitBlt(dc.Get(), 0, 0, 13, 9, source.Get(), 0, 0, SRCCOPY);
    }
    auto dib = cDIBSection::New();
    dib->CreateFromPicture(picture.Get());
    ASSERT_TRUE(dib->Holding());
    EXPECT_EQ(dib->Width(), 13);
    EXPECT_EQ(dib->Height(), 9);
    GdiFlush();
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 13; ++x) ASSERT_EQ(ColourAt(*dib, x, y), Pattern(x, y)) << x << "," << y;
}

TEST(DibSectionFromPicture, AHandleThatIsNotABitmapGivesAnEmptyObjectOfSizeZero) {
    tk::ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(RGB(1, 2, 3)));
    tk::ScopedGdiObject<HRGN> region(CreateRectRgn(0, 0, 40, 30));
    auto dib = cDIBSection::New();
    const int start = GdiObjectCount();
    for (HGDIOBJ notAPicture : {static_cast<HGDIOBJ>(nullptr), static_cast<HGDIOBJ>(brush.Get()),
                                static_cast<HGDIOBJ>(region.Get())}) {
        ASSERT_TRUE(dib->Create(6, 6));
        dib->CreateFromPicture(static_cast<HBITMAP>(notAPicture));
        ExpectEmpty(*dib);
        EXPECT_EQ(dib->Width(), 0);
        EXPECT_EQ(dib->Height(), 0);
        EXPECT_EQ(GdiObjectCount(), start);
    }
    EXPECT_EQ(GetObjectType(brush.Get()), static_cast<DWORD>(OBJ_BRUSH));
}

TEST(DibSectionFromPicture, EveryHandleItTookIsGivenBack) {
    tk::ScopedGdiObject<HBITMAP> skin(dibtest::LoadSkin());
    {
        auto warmUp = cDIBSection::New();  // the screen's DC cache fills on first use
        warmUp->CreateFromPicture(skin.Get());
    }
    const int start = GdiObjectCount();
    for (int i = 0; i < 50; ++i) {
        auto dib = cDIBSection::New();
        dib->CreateFromPicture(skin.Get());
        ASSERT_TRUE(dib->Holding());
        EXPECT_EQ(GdiObjectCount(), start + 2) << "its own DC and DIB, nothing else";
    }
    EXPECT_EQ(GdiObjectCount(), start);
}

}  // namespace
