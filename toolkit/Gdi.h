#pragma once
// Owners for the handles the program makes (GDI objects, icons, DCs, files): each frees
// what it holds, once. And the one maker of the program's 24-bit DIB sections.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <utility>

namespace tk {

// Owns one handle and frees it once with Free: at the end of the scope, on Reset, or with
// the object that keeps it, unless handed on with Release. A handle equal to None (null,
// or INVALID_HANDLE_VALUE for files: -1) is no handle and is never freed.
template <class H, auto Free, intptr_t None = 0>
class Owned {
public:
    explicit Owned(H h = NoHandle()) : m_h(h) {}
    ~Owned() { Reset(); }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;
    H Get() const { return m_h; }
    bool Holds() const { return m_h != NoHandle(); }
    H Release() { return std::exchange(m_h, NoHandle()); }
    // Frees the handle held (if any) and takes h; false when the system reports that the
    // freeing failed (for a file: a late write error).
    bool Reset(H h = NoHandle()) {
        const bool freed = !Holds() || Free(m_h);
        m_h = h;
        return freed;
    }

private:
    static H NoHandle() { return reinterpret_cast<H>(None); }
    H m_h;
};

template <class H>
using ScopedGdiObject = Owned<H, DeleteObject>;
// An icon or cursor of the program loaded at a size of its own (LoadImage without
// LR_SHARED). DestroyIcon destroys cursors too: both are icon objects.
using OwnedIcon = Owned<HICON, DestroyIcon>;
// A memory DC from CreateCompatibleDC.
using OwnedMemoryDC = Owned<HDC, DeleteDC>;

// A bitmap with several holders (the one skin of all notes): deleted when the last one
// lets go. Holders only read it; drawing into it would change it for all of them.
using SharedBitmap = std::shared_ptr<const ScopedGdiObject<HBITMAP>>;

// The one maker of the program's 24-bit DIBs. Dib24Header describes width x height pixels,
// three bytes each, without compression, bottom-up for a positive height; its image size
// is 0, which the system works out itself. CreateDib24 makes a DIB section of such a header
// for `dc` (null: the screen), its pixels (zeroed) at *bits; null when none can be made.
BITMAPINFOHEADER Dib24Header(int width, int height);
HBITMAP CreateDib24(const BITMAPINFOHEADER& header, void** bits, HDC dc = nullptr);

// A DC from GetDC, released at the end of the scope.
class ScopedGetDC {
public:
    explicit ScopedGetDC(HWND hwnd) : m_hwnd(hwnd), m_dc(GetDC(hwnd)) {}
    ~ScopedGetDC() {
        if (m_dc) ReleaseDC(m_hwnd, m_dc);
    }
    ScopedGetDC(const ScopedGetDC&) = delete;
    ScopedGetDC& operator=(const ScopedGetDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_hwnd;
    HDC m_dc;
};

// The DC of one WM_PAINT, from BeginPaint; the painting ends at the end of the scope.
class ScopedPaint {
public:
    explicit ScopedPaint(HWND hwnd) : m_hwnd(hwnd), m_dc(BeginPaint(hwnd, &m_ps)) {}
    ~ScopedPaint() { EndPaint(m_hwnd, &m_ps); }
    ScopedPaint(const ScopedPaint&) = delete;
    ScopedPaint& operator=(const ScopedPaint&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_hwnd;
    PAINTSTRUCT m_ps = {};
    HDC m_dc;  // after m_ps, which BeginPaint fills
};

// Selects an object into a DC and puts the displaced one back at the end of the scope.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ obj) : m_dc(dc), m_old(dc && obj ? SelectObject(dc, obj) : nullptr) {}
    ~ScopedSelectObject() {
        if (m_old) SelectObject(m_dc, m_old);
    }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

}  // namespace tk
