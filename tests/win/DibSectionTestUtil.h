#pragma once
// Helpers for the tests of cDIBSection, the window shape and the clipboard copy: pictures
// with known pixels, pixel reads, and a count of the process's live GDI objects.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "imaging/cDIBSection.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"

namespace dibtest {

// Colour value of a pixel as the pixel code reads it: blue + 256 green + 65536 red.
inline int32_t ColourValue(uint8_t blue, uint8_t green, uint8_t red) {
    return blue | green << 8 | red << 16;
}

// A pattern in which nearby pixels all differ, so a block copied from the wrong place
// or a row copied upside down shows.
inline int32_t Pattern(int32_t x, int32_t y) {
    return ColourValue(static_cast<uint8_t>(x * 7 + y * 3 + 1), static_cast<uint8_t>(y * 11 + x + 2),
                       static_cast<uint8_t>((x * 13) ^ (y * 5)));
}

// Pixel (x, y) of a DIB, y counted from the top of the picture (the DIB is bottom-up).
inline uint8_t* PixelAt(const cDIBSection& dib, int32_t x, int32_t y) {
    auto* bits = static_cast<uint8_t*>(dib.DIBSectionBitsPtr());
    return bits + static_cast<size_t>(dib.Height() - 1 - y) * dib.BytesPerScanLine() + 3 * x;
}

inline int32_t ColourAt(const cDIBSection& dib, int32_t x, int32_t y) {
    const uint8_t* p = PixelAt(dib, x, y);
    return ColourValue(p[0], p[1], p[2]);
}

inline void SetColourAt(const cDIBSection& dib, int32_t x, int32_t y, int32_t colour) {
    uint8_t* p = PixelAt(dib, x, y);
    p[0] = static_cast<uint8_t>(colour);
    p[1] = static_cast<uint8_t>(colour >> 8);
    p[2] = static_cast<uint8_t>(colour >> 16);
}

inline void FillPattern(const cDIBSection& dib) {
    for (int32_t y = 0; y < dib.Height(); ++y)
        for (int32_t x = 0; x < dib.Width(); ++x) SetColourAt(dib, x, y, Pattern(x, y));
}

// The colour value of a DC's pixel, GetPixel's COLORREF turned round.
inline int32_t DcColourAt(HDC dc, int x, int y) {
    COLORREF c = GetPixel(dc, x, y);
    return ColourValue(GetBValue(c), GetGValue(c), GetRValue(c));
}

inline HBITMAP LoadSkin() {
    return static_cast<HBITMAP>(LoadImageW(tk::Instance(), MAKEINTRESOURCEW(IDB_SKIN), IMAGE_BITMAP, 0, 0,
                                           LR_CREATEDIBSECTION));
}

// A 24-bit bottom-up DIB section made directly with the platform, for pictures that the
// code under test gets from outside. bits receives its memory.
inline HBITMAP MakeDib24(int32_t width, int32_t height, uint8_t** bits) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* p = nullptr;
    HBITMAP h = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    *bits = static_cast<uint8_t*>(p);
    return h;
}

// The process's live GDI objects. GetGuiResources counts them on Windows; under Wine it
// is a stub that returns 0, so there the count comes from the GDI handle table that the
// system keeps in the process environment block (a live entry has a non-zero type).
inline int GdiObjectCount() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
    struct HandleEntry {  // one entry of that table: the same 24 bytes in both builds
        uint64_t object;
        uint32_t owner;
        uint16_t unique;
        uint8_t type;
        uint8_t flags;
        uint64_t user;
    };
    static_assert(sizeof(HandleEntry) == 24, "handle table layout");
    constexpr int kMaxHandles = 0x10000;
    // The PEB's address: gs:0x60 in a 64-bit thread, fs:0x30 in a 32-bit one (NtCurrentTeb's
    // inline read trips GCC's array-bounds check). The table pointer is its field
    // GdiSharedHandleTable, at 0xF8 in the 64-bit PEB and 0x94 in the 32-bit one.
    const char* peb;
#ifdef _WIN64
    __asm__("movq %%gs:0x60, %0" : "=r"(peb));
    constexpr size_t kGdiSharedHandleTableOffset = 0xF8;
#else
    __asm__("movl %%fs:0x30, %0" : "=r"(peb));
    constexpr size_t kGdiSharedHandleTableOffset = 0x94;
#endif
    const HandleEntry* table;
    std::memcpy(&table, peb + kGdiSharedHandleTableOffset, sizeof table);
    if (!table) return -1;
    int live = 0;
    for (int i = 0; i < kMaxHandles; ++i)
        if (table[i].type != 0) ++live;
    return live;
}

// USER objects: counted on Windows; Wine reports 0 and keeps its table in the server.
inline int UserObjectCount() {
    return static_cast<int>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
}

// A form for the shape tests; destroyed at the end of the test, also when one fails.
class ShapeTestForm : public tk::Form {
public:
    explicit ShapeTestForm(const tk::FormStyle& style) : Form(style) {}
};

class FormHolder {
public:
    explicit FormHolder(tk::Form* form) : m_form(form) {}
    ~FormHolder() {
        if (m_form) m_form->Destroy();
    }
    FormHolder(const FormHolder&) = delete;
    FormHolder& operator=(const FormHolder&) = delete;
    tk::Form* operator->() const { return m_form; }
    tk::Form& operator*() const { return *m_form; }

private:
    tk::Form* m_form;  // the window owns it; we only end it
};

inline tk::FormStyle PopupStyle() {
    tk::FormStyle s;
    s.style = WS_POPUP;
    s.clientWidth = 100;
    s.clientHeight = 60;
    return s;
}

inline tk::FormStyle FramedStyle() {
    tk::FormStyle s;
    s.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
    s.clientWidth = 150;
    s.clientHeight = 90;
    return s;
}

// The window's region rectangles in the order the system keeps them.
inline std::vector<RECT> RegionRects(HRGN rgn) {
    DWORD size = GetRegionData(rgn, 0, nullptr);
    std::vector<char> buf(size);
    auto* data = reinterpret_cast<RGNDATA*>(buf.data());
    if (size == 0 || GetRegionData(rgn, size, data) == 0) return {};
    const RECT* r = reinterpret_cast<const RECT*>(data->Buffer);
    return std::vector<RECT>(r, r + data->rdh.nCount);
}

}  // namespace dibtest
