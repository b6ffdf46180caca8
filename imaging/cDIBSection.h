#pragma once
// One 24-bit, bottom-up DIB section selected into a memory DC of its own: drawing code
// reaches the picture through hdc(), pixel code reads and writes its bits in place through
// DIBSectionBitsPtr() (BytesPerScanLine() bytes per row, the bottom row first, each pixel
// blue, green, red).
//
// Objects are shared by reference counting: they are made by New() and held in
// std::shared_ptr; when the last reference goes, the destructor runs ClearUp, which frees
// the DC and the DIB section. An object is never copied.
//
// Two states: empty (no DC and no DIB of its own: a new object, and after ClearUp or a
// failed Create; CreateDIB may lend it the bits of a DIB its caller keeps) and holding (the
// DIB section made and selected into the object's DC). The header keeps the last requested
// size in both, so Width and Height still report it after ClearUp.
//
// Sizes and positions are 32-bit signed pixels. A negative width or height given to a
// block copy stands for the DIB's full Width or Height; zero means zero pixels. Overflow
// in the size arithmetic raises tk::OverflowError; a pixel step that would read outside a
// picture raises tk::IndexOutOfRangeError.
#include <windows.h>

#include <cstdint>
#include <memory>

#include "toolkit/Gdi.h"
#include "toolkit/core/ByteView.h"

class cDIBSection {
    // Only New() can make one, so every object lives under a reference count.
    struct Token {
        explicit Token() = default;
    };

public:
    static std::shared_ptr<cDIBSection> New();

    explicit cDIBSection(Token) {}
    ~cDIBSection();
    cDIBSection(const cDIBSection&) = delete;
    cDIBSection& operator=(const cDIBSection&) = delete;

    // Puts the whole picture on the clipboard as one CF_BITMAP in the screen's format.
    // With bAsDIB true it only says that it cannot and returns false. False also when the
    // clipboard is held by another program or refuses the bitmap, or when the object holds
    // no picture. Nothing of the object changes.
    bool CopyToClipboard(bool bAsDIB = true);

    // Makes a 24-bit bottom-up DIB section of lWidth x lHeight compatible with lHDC and
    // hands its handle to the caller in hDib (0 when refused); true when made. The header
    // and the bits address of this object describe the new DIB afterwards, and the header
    // keeps the requested size even when the platform refuses. A DIB that this call hands
    // out belongs to the caller; an object that holds none of its own may still paint noise
    // into it (RandomiseBits) for as long as the caller keeps it. While the object holds a
    // DIB of its own the call is refused (false, hDib 0, the object unchanged): its bits
    // address would otherwise point into a bitmap it does not own.
    // A negative height makes a top-down DIB (the platform's rule). The pixel code, which
    // counts rows bottom-up from 0 to Height() - 1, sees no row in it: noise writes
    // nothing, resampling from it raises tk::IndexOutOfRangeError and into it writes
    // nothing. The block copies go through its DC like any other.
    bool CreateDIB(HDC lHDC, int32_t lWidth, int32_t lHeight, HBITMAP& hDib);

    // Frees any earlier DIB, then makes a DIB of the bitmap's size and copies the bitmap
    // into it. A handle that is not a bitmap counts as a 0 x 0 picture (which the platform
    // refuses). Reports nothing: Width, Height and hdc tell what happened.
    void CreateFromPicture(HBITMAP picThis);

    // Frees any earlier DIB and makes a new one of lWidth x lHeight; false when no DC or
    // no DIB could be made (the object is then empty).
    bool Create(int32_t lWidth, int32_t lHeight);

    int32_t BytesPerScanLine() const;
    int32_t Width() const { return m_tBI.biWidth; }
    int32_t Height() const { return m_tBI.biHeight; }
    // The header that describes the DIB (the last one made or asked for).
    const BITMAPINFOHEADER& Header() const { return m_tBI; }

    // Copies the lSrcWidth x lSrcHeight block at (lSrcLeft, lSrcTop) of lHDC to the
    // top-left corner of this DIB.
    void LoadPictureBlt(HDC lHDC, int32_t lSrcLeft = 0, int32_t lSrcTop = 0, int32_t lSrcWidth = -1,
                        int32_t lSrcHeight = -1, DWORD eRop = SRCCOPY);
    // Copies the block at (lSrcLeft, lSrcTop) of this DIB to (lDestLeft, lDestTop) of lHDC,
    // lDestWidth x lDestHeight pixels on both sides (no stretching).
    void PaintPicture(HDC lHDC, int32_t lDestLeft = 0, int32_t lDestTop = 0, int32_t lDestWidth = -1,
                      int32_t lDestHeight = -1, int32_t lSrcLeft = 0, int32_t lSrcTop = 0,
                      DWORD eRop = SRCCOPY);

    HDC hdc() const { return m_hDC.Get(); }
    HBITMAP hDib() const { return m_hDib.Get(); }
    // The bits belong to the DIB section: read and write them, never free them.
    void* DIBSectionBitsPtr() const { return m_lPtr; }
    // True in the holding state: the DC, the DIB section and its bits are there.
    bool Holding() const { return m_hDC.Get() && m_hDib.Get() && m_lPtr; }
    // The bits as BytesPerScanLine() bytes by Height() rows, borrowed for one operation:
    // the object's own DIB, or one that CreateDIB lent it while that DIB still exists;
    // otherwise a view without elements, so nothing can reach memory that is freed.
    tk::ByteView PixelView() const;

    // Fills the picture with noise seeded from the time of day: grey (three equal bytes
    // per pixel) or coloured (random green and red, blue 0). Padding is never written.
    // Without pixels to reach (see PixelView) nothing is written.
    void RandomiseBits(bool bGray = false);

    // Frees the DC and the DIB section; the header, and with it Width and Height, stay.
    void ClearUp();

    // A new object of lNewWidth x lNewHeight (height first!) holding this picture: a plain
    // copy at the same size, bilinear resampling otherwise. Null when the new DIB cannot be
    // made. Raises tk::IndexOutOfRangeError when this object holds no DIB of its own (the
    // plain copy draws from its DC), or when resampling needs a pixel the source lacks (a
    // source one pixel wide or high); no object is returned then.
    std::shared_ptr<cDIBSection> Resample(int32_t lNewHeight, int32_t lNewWidth);

private:
    // Fills target, which already holds a DIB of the new size, from this object's pixels.
    void ResampleInto(cDIBSection& target);

    tk::ScopedGdiObject<HBITMAP> m_hDib;  // the DIB section, selected into m_hDC
    HGDIOBJ m_hBmpOld = nullptr;          // we don't own it: what the DIB displaced in m_hDC
    tk::OwnedMemoryDC m_hDC;              // the memory DC
    void* m_lPtr = nullptr;               // the DIB section's bits; the DIB section owns them
    BITMAPINFOHEADER m_tBI = {};          // describes the DIB; keeps the last size after ClearUp
    HBITMAP m_hDibMade = nullptr;  // we don't own it unless it is m_hDib: the last DIB
                                   // CreateDIB made, whose bits m_lPtr points into
};
