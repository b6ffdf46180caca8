// cDIBSection on real DIB sections, in the build under test.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <thread>

#include "WinTestUtil.h"
#include "imaging/cDIBSection.h"
#include "resources/resource.h"
#include "tests/fuzz/ImagingReference.h"
#include "toolkit/Application.h"

using wintest::GdiObjectCount;

// A copy of an object's bits (bottom-up, so the picture's layout).
static ref::Picture Bytes(const cDIBSection& dib) {
    ref::Picture p(dib.Width(), dib.Height());
    GdiFlush();
    std::memcpy(p.bytes.data(), dib.DIBSectionBitsPtr(), p.bytes.size());
    return p;
}

TEST(DibSection, EveryWayInAndOutOfHoldingKeepsTheHandlesRight) {
    auto dib = cDIBSection::New();
    const int start = GdiObjectCount();
    ASSERT_TRUE(dib->Create(284, 210));
    HDC dc = dib->hdc();
    HBITMAP bmp = dib->hDib(), refused = bmp;
    DIBSECTION ds = {};
    ASSERT_EQ(GetObjectW(bmp, sizeof ds, &ds), static_cast<int>(sizeof ds));
    EXPECT_TRUE(ds.dsBm.bmBits == dib->DIBSectionBitsPtr() && ds.dsBm.bmWidthBytes == 852 && ds.dsBmih.biHeight == 210);
    EXPECT_TRUE(dib->Header().biSizeImage == 178920 && GetCurrentObject(dc, OBJ_BITMAP) == bmp);
    EXPECT_FALSE(dib->CreateDIB(dc, 9, 9, refused) || refused) << "not while it holds its own";
    // A negative height is a top-down DIB: held, but with no row for the pixel code.
    ASSERT_TRUE(dib->Create(5, -3));
    EXPECT_TRUE(GetObjectType(bmp) == 0 && GetObjectType(dc) == 0) << "the first DIB and DC went first";
    std::memset(dib->DIBSectionBitsPtr(), 0x77, 48);
    dib->RandomiseBits(true);
    EXPECT_EQ(static_cast<uint8_t*>(dib->DIBSectionBitsPtr())[0], 0x77);
    EXPECT_THROW(dib->Resample(4, 4), tk::IndexOutOfRangeError);
    EXPECT_TRUE(!dib->Create(-5, 3) && !dib->Holding() && dib->Width() == -5) << "refused by the platform";
    EXPECT_THROW(dib->Create(30000, 30000), tk::OverflowError);
    ASSERT_TRUE(dib->Create(3, 3));
    dib->ClearUp();
    dib->ClearUp();
    EXPECT_TRUE(dib->hdc() == nullptr && dib->Width() == 3 && GdiObjectCount() == start);
}

// (0, 0) of the object's DC is the picture's top-left pixel; a negative size stands for the
// full size; the raster operation passes through.
TEST(DibSection, BlockCopiesAndTheImportTakeTheirPlaces) {
    tk::ScopedGdiObject<HBITMAP> skin(tk::LoadProgramPicture(IDB_SKIN));
    DIBSECTION ds = {};
    ASSERT_NE(GetObjectW(skin.Get(), sizeof ds, &ds), 0);
    auto picture = cDIBSection::New(), dib = cDIBSection::New();
    picture->CreateFromPicture(skin.Get());
    ASSERT_TRUE(picture->Holding() && picture->Width() == 284 && picture->Height() == 210);
    EXPECT_EQ(std::memcmp(Bytes(*picture).bytes.data(), ds.dsBm.bmBits, 852 * 210), 0);
    picture->RandomiseBits(true);
    ASSERT_TRUE(dib->Create(20, 10));
    dib->LoadPictureBlt(picture->hdc(), 3, 4, -7, 5, NOTSRCCOPY);
    picture->PaintPicture(dib->hdc(), 10, 6, 5, 9, 2, 3);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) {
            COLORREF want = y < 5 ? ~GetPixel(picture->hdc(), x + 3, y + 4) & 0xFFFFFF : 0;
            if (x >= 10 && x < 15 && y >= 6) want = GetPixel(picture->hdc(), x - 8, y - 3);
            ASSERT_EQ(GetPixel(dib->hdc(), x, y), want) << x << "," << y;
        }
}

// The column tables of these sizes land on every 8-byte boundary of the heap, where a
// 16-byte vector operand faults (the 32-bit msvcrt's malloc aligns to 8 only).
TEST(DibSection, ResamplingManySizesInARowGivesThePlainRulesBytes) {
    std::mt19937 rng(8);
    for (int i = 0; i < 40; ++i) {
        const int32_t sw = 2 + i % 7, sh = 2 + i % 5, tw = 3 + 5 * i, th = 1 + i % 6;
        auto source = cDIBSection::New();
        ASSERT_TRUE(source->Create(sw, sh));
        ref::Picture picture(sw, sh);
        for (uint8_t& b : picture.bytes) b = static_cast<uint8_t>(rng());
        std::memcpy(source->DIBSectionBitsPtr(), picture.bytes.data(), picture.bytes.size());
        std::shared_ptr<cDIBSection> target = source->Resample(th, tw);  // height first
        ASSERT_TRUE(target && target->Width() == tw && target->Height() == th) << i;
        ref::Picture want = Bytes(*target);  // its padding, and the pixels below
        tk::ByteView s = picture.View(), t = want.View();
        ref::Resample(s, sw, sh, t, tw, th);
        ASSERT_EQ(Bytes(*target).bytes, want.bytes) << sw << "x" << sh << " -> " << tw << "x" << th;
    }
    auto row = cDIBSection::New();  // one row cannot be blended, but copied at its own size
    ASSERT_TRUE(row->Create(5, 1));
    std::memset(row->DIBSectionBitsPtr(), 0x3C, 15);
    EXPECT_EQ(Bytes(*row->Resample(1, 5)).bytes, Bytes(*row).bytes);
    EXPECT_THROW(row->Resample(2, 5), tk::IndexOutOfRangeError);
}

TEST(DibSection, NoiseIsGreyOrColourSeededFromTheClockAndGoesIntoALentDibWhileItLives) {
    auto dib = cDIBSection::New();
    ASSERT_TRUE(dib->Create(283, 21));  // three padding bytes a row
    dib->RandomiseBits(true);
    const ref::Picture grey = Bytes(*dib);
    Sleep(20);
    dib->RandomiseBits(true);
    EXPECT_NE(Bytes(*dib).bytes, grey.bytes) << "another time of day, other noise";
    dib->RandomiseBits();
    const ref::Picture colour = Bytes(*dib);
    for (size_t i = 0; i < grey.bytes.size(); i += 3) {  // bytes 849 .. 851 of each row are padding
        const uint8_t* g = &grey.bytes[i];
        ASSERT_TRUE(i % 852 == 849 ? g[0] == 0 : g[0] == g[1] && g[1] == g[2] && colour.bytes[i] == 0) << i;
    }

    // CreateDIB on an object that holds nothing lends it the caller's DIB.
    auto lent = cDIBSection::New();
    HBITMAP mine = nullptr;
    ASSERT_TRUE(lent->CreateDIB(nullptr, 8, 4, mine));
    auto* bits = static_cast<uint8_t*>(lent->DIBSectionBitsPtr());
    std::memset(bits, 0x11, 96);
    lent->RandomiseBits(false);
    EXPECT_TRUE(bits[0] == 0 && bits[93] == 0) << "blue of the first and the last pixel";
    DeleteObject(mine);
    lent->RandomiseBits(true);  // its memory is gone: nothing may be written
}

// The copy reaches the clipboard as a bitmap of the DIB's pixels. A DIB is refused with the
// program's message; a clipboard held by another thread refuses quietly, and the bitmaps
// that did not reach it are deleted.
TEST(DibSection, CopiesToTheClipboardAsABitmapAndKeepsNoBitmapTheClipboardRefused) {
    auto dib = cDIBSection::New();
    ASSERT_TRUE(dib->Create(7, 5));
    std::memset(dib->DIBSectionBitsPtr(), 0x5A, 5 * 24);
    ASSERT_TRUE(dib->CopyToClipboard(false) && OpenClipboard(nullptr));
    {
        tk::OwnedMemoryDC dc(CreateCompatibleDC(nullptr));
        tk::ScopedSelectObject select(dc.Get(), GetClipboardData(CF_BITMAP));
        EXPECT_EQ(GetPixel(dc.Get(), 6, 4), RGB(0x5A, 0x5A, 0x5A));
    }
    CloseClipboard();
    EXPECT_EQ(wintest::AnswerMessageBoxes([&] { EXPECT_FALSE(dib->CopyToClipboard(true)); }),
              std::vector<std::wstring>{L"I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!"});
    HANDLE held = CreateEventW(nullptr, TRUE, FALSE, nullptr), done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {  // a window of its own holds it
        HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        OpenClipboard(owner), SetEvent(held), WaitForSingleObject(done, INFINITE), CloseClipboard(), DestroyWindow(owner);
    });
    WaitForSingleObject(held, INFINITE);
    EXPECT_NE(GetOpenClipboardWindow(), nullptr) << "the clipboard is really held";
    EXPECT_FALSE(dib->CopyToClipboard(false));  // Wine may keep an object for the screen's DC the first time
    // More copies than the system keeps screen DCs ready for reuse (what earlier tests
    // released), so a DC that is never released shows whatever ran before.
    const int start = GdiObjectCount();
    for (int i = 0; i < 64; ++i) EXPECT_FALSE(dib->CopyToClipboard(false));
    EXPECT_EQ(GdiObjectCount(), start) << "bitmaps the clipboard refused, or the screen's DC, were kept";
    SetEvent(done), holder.join(), CloseHandle(held), CloseHandle(done);
}
