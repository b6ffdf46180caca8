#include "toolkit/Application.h"

#include <commctrl.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "toolkit/Ansi.h"
#include "toolkit/MessageBox.h"
#include "toolkit/core/Errors.h"
#include "toolkit/core/PixelRuns.h"

namespace tk {
namespace {
bool g_commonControlsLoaded = false;
}

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

HBITMAP LoadProgramPicture(int id) {
    HRSRC found = FindResourceW(Instance(), MAKEINTRESOURCEW(id), RT_RCDATA);
    HGLOBAL loaded = found ? LoadResource(Instance(), found) : nullptr;
    const auto* data = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!data) return nullptr;
    const std::vector<uint8_t> bmp = ExpandPixelRuns(data, SizeofResource(Instance(), found));
    BITMAPINFO info = {};
    if (bmp.size() < 14 + sizeof info.bmiHeader) return nullptr;
    std::memcpy(&info.bmiHeader, bmp.data() + 14, sizeof info.bmiHeader);
    const BITMAPINFOHEADER& h = info.bmiHeader;
    // Only what the program carries: bottom-up 24-bit pictures without compression.
    if (h.biSize != sizeof h || h.biBitCount != 24 || h.biCompression != BI_RGB || h.biWidth <= 0 || h.biHeight <= 0)
        return nullptr;
    const std::size_t start = BmpField32(bmp.data() + 10);
    void* bits = nullptr;
    ScopedGdiObject<HBITMAP> dib(CreateDib24(Dib24Header(h.biWidth, h.biHeight), &bits));
    // The file's pixels are the DIB's, row for row: as many bytes as the section holds.
    DIBSECTION section = {};
    if (!dib.Get() || GetObjectW(dib.Get(), sizeof section, &section) != sizeof section) return nullptr;
    const std::size_t pixelBytes = static_cast<std::size_t>(section.dsBm.bmWidthBytes) * section.dsBm.bmHeight;
    if (start > bmp.size() || bmp.size() - start != pixelBytes) return nullptr;
    std::memcpy(bits, bmp.data() + start, pixelBytes);
    return dib.Release();
}

SharedBitmap ProgramBitmap(int id) {
    // Kept for the run once read: the resources never change, and a note that opens after
    // the last one closed then costs no second reading.
    static std::map<int, SharedBitmap> read;
    SharedBitmap& bitmap = read[id];
    if (!bitmap) {
        HBITMAP loaded = LoadProgramPicture(id);
        if (!loaded) return nullptr;
        bitmap = std::make_shared<ScopedGdiObject<HBITMAP>>(loaded);
    }
    return bitmap;
}

void InitProcess() {
    // Never load a DLL from the current folder or the program's folder by the default
    // search order: a planted DLL beside a note file must not run.
    SetDllDirectoryW(L"");
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    if (HMODULE k32 = GetModuleHandleW(L"kernel32.dll")) {
        auto fn = reinterpret_cast<SetDefaultDllDirectoriesFn>(
            reinterpret_cast<void*>(GetProcAddress(k32, "SetDefaultDllDirectories")));
        if (fn) fn(LOAD_LIBRARY_SEARCH_SYSTEM32);
    }
}

void LoadCommonControls() {
    if (g_commonControlsLoaded) return;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_DATE_CLASSES | ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    g_commonControlsLoaded = InitCommonControlsEx(&icc) != FALSE;
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void ReportError(const std::exception& e) {
    std::wstring text;
    if (auto* ge = dynamic_cast<const GlumaError*>(&e)) {
        text = ge->UserText();
    } else {
        text = L"程序内部错误：" + FromAnsi(e.what());
    }
    ShowMessage(text, MB_ICONERROR);
}

}  // namespace tk
