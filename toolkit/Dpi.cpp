#include "toolkit/Dpi.h"

#include "toolkit/Gdi.h"

namespace tk {
namespace {

// A function of user32 that older systems lack, found by name; null when it is not there.
template <class Fn>
Fn User32Function(const char* name) {
    static HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(user32, name))) : nullptr;
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

}  // namespace

int SystemDpi() {
    // The system DPI is fixed for the session: measured once (a screen DC is not free).
    static const int dpi = [] {
        ScopedGetDC screen(nullptr);
        int measured = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 0;
        return measured > 0 ? measured : kStandardDpi;
    }();
    return dpi;
}

int DpiOf(HWND hwnd) {
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    UINT dpi = getDpiForWindow && hwnd ? getDpiForWindow(hwnd) : 0;
    if (!getDpiForWindow && hwnd) {
        // Windows 8.1 and the first Windows 10 versions give a per-monitor aware program each
        // monitor's own DPI, but only through shcore's GetDpiForMonitor.
        static const auto getDpiForMonitor = [] {
            HMODULE shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
            return shcore ? reinterpret_cast<GetDpiForMonitorFn>(
                                reinterpret_cast<void*>(GetProcAddress(shcore, "GetDpiForMonitor")))
                          : nullptr;
        }();
        UINT x = 0, y = 0;
        if (getDpiForMonitor && getDpiForMonitor(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), 0, &x, &y) == S_OK)
            dpi = y;  // 0: MDT_EFFECTIVE_DPI, the DPI the user chose for the monitor
    }
    return dpi > 0 ? static_cast<int>(dpi) : SystemDpi();
}

RECT ScaleBox(int left, int top, int width, int height, int dpi) {
    const int x = Scale(left, dpi), y = Scale(top, dpi);
    return RECT{x, y, x + Scale(width, dpi), y + Scale(height, dpi)};
}

int SystemMetricForDpi(int index, int dpi) {
    static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (forDpi) return forDpi(index, static_cast<UINT>(dpi));
    // Before Windows 10 every window has the system DPI: its metrics are the plain ones.
    return GetSystemMetrics(index);
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
    static const auto forDpi = User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    if (!forDpi || !forDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

void PlaceControl(HWND control, const RECT& rect, HFONT font) {
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

HFONT CreatePointFont(const wchar_t* face, double points, bool bold, bool underline, BYTE charset, int dpi) {
    LOGFONTW lf = {};
    lf.lfHeight = -PointsToPixels(points, dpi);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = underline ? TRUE : FALSE;
    lf.lfCharSet = charset;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

}  // namespace tk
