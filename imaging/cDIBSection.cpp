#include "imaging/cDIBSection.h"

#include "imaging/core/DibLayout.h"
#include "toolkit/Gdi.h"

// The header is the platform's 40-byte layout in both the 32-bit and the 64-bit build.
static_assert(sizeof(BITMAPINFOHEADER) == 40, "BITMAPINFOHEADER is 40 bytes");

std::shared_ptr<cDIBSection> cDIBSection::New() { return std::make_shared<cDIBSection>(Token{}); }

cDIBSection::~cDIBSection() { ClearUp(); }

int32_t cDIBSection::BytesPerScanLine() const { return imaging::BytesPerScanLine(Width()); }

tk::ByteView cDIBSection::PixelView() const {
    if (!Holding()) {
        // Bits lent by CreateDIB belong to a DIB section its caller may have deleted since:
        // reach them only while that DIB section still exists with these bits.
        DIBSECTION ds;
        if (!m_lPtr || GetObjectW(m_hDibMade, sizeof ds, &ds) != sizeof ds || ds.dsBm.bmBits != m_lPtr) {
            return tk::ByteView();
        }
    }
    return tk::ByteView(static_cast<uint8_t*>(m_lPtr), BytesPerScanLine(), Height());
}

bool cDIBSection::CreateDIB(HDC lHDC, int32_t lWidth, int32_t lHeight, HBITMAP& hDib) {
    if (Holding()) {
        hDib = nullptr;
        return false;
    }
    m_tBI = tk::Dib24Header(lWidth, lHeight);
    // Raises OverflowError with the size already in the header, as a refusal leaves it.
    m_tBI.biSizeImage = static_cast<DWORD>(imaging::DibImageSize(lWidth, lHeight));

    void* bits = nullptr;
    hDib = tk::CreateDib24(m_tBI, &bits, lHDC);
    m_lPtr = hDib ? bits : nullptr;
    m_hDibMade = hDib;
    return hDib != nullptr;
}

bool cDIBSection::Create(int32_t lWidth, int32_t lHeight) {
    ClearUp();
    // The DC stays ours until the DIB is in it, so a refusal or an overflow error leaves
    // the object empty rather than holding a DC without a DIB.
    tk::OwnedMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!dc.Get()) return false;
    HBITMAP made = nullptr;
    if (!CreateDIB(dc.Get(), lWidth, lHeight, made)) return false;
    m_hDib.Reset(made);
    m_hDC.Reset(dc.Release());
    m_hBmpOld = SelectObject(m_hDC.Get(), made);
    return true;
}

void cDIBSection::CreateFromPicture(HBITMAP picThis) {
    BITMAP bm = {};
    // GetObject describes any GDI object: a brush or a font would fill the record with
    // fields of its own. Only a bitmap's description gives a picture size.
    if (GetObjectType(picThis) == OBJ_BITMAP) GetObjectW(picThis, sizeof bm, &bm);
    if (!Create(bm.bmWidth, bm.bmHeight)) return;

    tk::OwnedMemoryDC temp;
    {
        tk::ScopedGetDC screen(GetDesktopWindow());
        if (!screen.Get()) return;  // the DIB stays as made, not filled
        temp.Reset(CreateCompatibleDC(screen.Get()));
    }  // the screen's DC goes back at once, whether the memory DC was made or not
    if (!temp.Get()) return;
    tk::ScopedSelectObject picture(temp.Get(), picThis);
    LoadPictureBlt(temp.Get(), 0, 0, -1, -1, SRCCOPY);
}

void cDIBSection::LoadPictureBlt(HDC lHDC, int32_t lSrcLeft, int32_t lSrcTop, int32_t lSrcWidth,
                                 int32_t lSrcHeight, DWORD eRop) {
    const int32_t w = lSrcWidth < 0 ? Width() : lSrcWidth;
    const int32_t h = lSrcHeight < 0 ? Height() : lSrcHeight;
    BitBlt(m_hDC.Get(), 0, 0, w, h, lHDC, lSrcLeft, lSrcTop, eRop);
}

void cDIBSection::PaintPicture(HDC lHDC, int32_t lDestLeft, int32_t lDestTop, int32_t lDestWidth,
                               int32_t lDestHeight, int32_t lSrcLeft, int32_t lSrcTop, DWORD eRop) {
    const int32_t w = lDestWidth < 0 ? Width() : lDestWidth;
    const int32_t h = lDestHeight < 0 ? Height() : lDestHeight;
    BitBlt(lHDC, lDestLeft, lDestTop, w, h, m_hDC.Get(), lSrcLeft, lSrcTop, eRop);
}

void cDIBSection::ClearUp() {
    // A bitmap still selected into a DC cannot be deleted: put the DC's own back first.
    // Without a DC there is no DIB of our own either (Create makes the DC first).
    if (m_hDC.Get() && m_hDib.Get()) SelectObject(m_hDC.Get(), m_hBmpOld);
    m_hDib.Reset();
    m_hDC.Reset();
    m_hBmpOld = nullptr;
    m_lPtr = nullptr;
    m_hDibMade = nullptr;
}
