#pragma once
// Owners for the GDI handles the program makes: each frees what it holds, once.
#include <windows.h>

#include <memory>
#include <utility>

namespace tk {

template <class H>
class ScopedGdiObject {
public:
    explicit ScopedGdiObject(H h = nullptr) : m_h(h) {}
    ~ScopedGdiObject() { Reset(); }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    H Get() const { return m_h; }
    H Release() { return std::exchange(m_h, nullptr); }
    void Reset(H h = nullptr) {
        if (m_h) DeleteObject(m_h);
        m_h = h;
    }

private:
    H m_h;
};

// A bitmap with several holders (the one skin of all notes): deleted when the last one
// lets go. Holders only read it; drawing into it would change it for all of them.
using SharedBitmap = std::shared_ptr<const ScopedGdiObject<HBITMAP>>;

// An icon or cursor of the program loaded at a size of its own (LoadImage without
// LR_SHARED), destroyed with its owner.
class OwnedIcon {
public:
    explicit OwnedIcon(HICON icon = nullptr) : m_icon(icon) {}
    ~OwnedIcon() { Reset(); }
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;
    HICON Get() const { return m_icon; }
    HICON Release() { return std::exchange(m_icon, nullptr); }
    void Reset(HICON icon = nullptr) {
        if (m_icon) DestroyIcon(m_icon);  // cursors too: both are icon objects
        m_icon = icon;
    }

private:
    HICON m_icon;
};

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

// A memory DC (from CreateCompatibleDC), deleted at the end of the scope, by Reset, or with
// the object that keeps it as its own DC, unless handed on with Release.
class OwnedMemoryDC {
public:
    explicit OwnedMemoryDC(HDC dc = nullptr) : m_dc(dc) {}
    ~OwnedMemoryDC() { Reset(); }
    OwnedMemoryDC(const OwnedMemoryDC&) = delete;
    OwnedMemoryDC& operator=(const OwnedMemoryDC&) = delete;
    HDC Get() const { return m_dc; }
    HDC Release() { return std::exchange(m_dc, nullptr); }
    void Reset(HDC dc = nullptr) {
        if (m_dc) DeleteDC(m_dc);
        m_dc = dc;
    }

private:
    HDC m_dc;
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
