#pragma once
// Helpers for the imaging tests on real windows and DIB sections.
#include <windows.h>

#include <cstring>
#include <random>

#include "imaging/cDIBSection.h"
#include "resources/resource.h"
#include "tests/fuzz/ImagingReference.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Gdi.h"
#include "WinTestUtil.h"

namespace dibtest {

// The process's live GDI objects. GetGuiResources counts them on Windows; Wine's returns
// 0, but Wine finds a handle by its table index alone when the handle's upper word is 0,
// so asking the type of every index counts the table's live entries (in the 32-bit and
// the 64-bit build alike).
inline int GdiObjectCount() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(n);
    int live = 0;
    for (uintptr_t i = 1; i < 0x10000; ++i) live += GetObjectType(reinterpret_cast<HGDIOBJ>(i)) != 0;
    return live;
}

inline HBITMAP LoadSkin() {
    return tk::LoadProgramPicture(IDB_SKIN);
}

// A copy of an object's bits (bottom-up, so the picture's layout).
inline ref::Picture Bytes(const cDIBSection& dib) {
    ref::Picture p(dib.Width(), dib.Height());
    GdiFlush();
    std::memcpy(p.bytes.data(), dib.DIBSectionBitsPtr(), p.bytes.size());
    return p;
}

// A loaded form of the given style, destroyed at the end of the test, also when one fails.
struct FormHolder {
    tk::Form* form;
    explicit FormHolder(DWORD style) : form(tk::LoadForm<wintest::TestForm>(tk::FormStyle{style, 0, 150, 90})) {}
    ~FormHolder() { form->Destroy(); }
};

}  // namespace dibtest
