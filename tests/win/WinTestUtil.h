#pragma once
// The shared helpers of the Windows tests: message pumping, a plain form, windows and
// menus read back as the user sees them, the program's message boxes answered, and
// window creation refused.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/Form.h"
#include "toolkit/SystemColours.h"

namespace wintest {

// Dispatches pending messages, for about `ms` milliseconds, or until `done` holds.
inline void Pump(DWORD ms = 50, const std::function<bool()>& done = nullptr) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms && !(done && done()); Sleep(5))
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) TranslateMessage(&msg), DispatchMessageW(&msg);
}

// A plain form for tests that need a window; it refuses to unload while told to.
struct TestForm : tk::Form {
    explicit TestForm(const tk::FormStyle& style = tk::FormStyle()) : Form(style) {}
    void OnUnload(bool& cancel) override { cancel = cancelUnload; }
    bool cancelUnload = false;
};

inline std::wstring WindowText(HWND hwnd) { wchar_t text[512] = {}; GetWindowTextW(hwnd, text, 512); return text; }
inline std::wstring ClassOf(HWND hwnd) { wchar_t name[64] = {}; GetClassNameW(hwnd, name, 64); return name; }

// The visible top-level windows of this process.
inline std::vector<HWND> VisibleWindows() {
    std::vector<HWND> found;
    EnumThreadWindows(GetCurrentThreadId(), [](HWND hwnd, LPARAM list) CALLBACK -> BOOL {
        if (IsWindowVisible(hwnd)) reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A menu as the user sees it, top to bottom: captions joined by "|", a separator as "-", a
// check mark as a leading "✓", a greyed item with a trailing " (greyed)".
inline std::wstring MenuText(HMENU menu) {
    std::wstring shown;
    for (UINT i = 0; i < static_cast<UINT>(GetMenuItemCount(menu)); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof mii, mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING, mii.dwTypeData = text, mii.cch = 128;
        GetMenuItemInfoW(menu, i, TRUE, &mii);
        if (mii.fType & MFT_SEPARATOR) shown += L"-|";
        else shown += (mii.fState & MFS_CHECKED ? L"✓" : L"") + std::wstring(text) +
                      (mii.fState & MFS_GRAYED ? L" (greyed)|" : L"|");
    }
    return shown;
}

// Runs `action`, answering each of the program's message boxes ("GlumaNote") that comes up
// meanwhile with OK, from a timer that the box's own loop runs; returns their texts.
inline std::vector<std::wstring> AnswerMessageBoxes(const std::function<void()>& action) {
    static std::vector<std::wstring> texts;
    texts.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) CALLBACK {
        for (HWND box : VisibleWindows()) {
            if (ClassOf(box) != L"#32770" || WindowText(box) != L"GlumaNote") continue;
            texts.push_back(WindowText(GetDlgItem(box, 0xFFFF)));  // the box's text
            SendMessageW(box, WM_COMMAND, IDOK, 0);
        }
    });
    action();
    KillTimer(nullptr, timer);
    return texts;
}

// Sets this process's system colours (COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE,
// COLOR_HOTLIGHT) and switches high contrast (which neither Wine nor a test machine does
// at will) as the system does, which tells every window: the colours first
// (WM_SYSCOLORCHANGE), then the switch (WM_SETTINGCHANGE). The colours from before, with
// high contrast off, come back with the object.
struct Scheme {
    static constexpr int kIds[4] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_BTNFACE, COLOR_HOTLIGHT};
    static inline bool highContrast = false;
    COLORREF before[4] = {GetSysColor(kIds[0]), GetSysColor(kIds[1]), GetSysColor(kIds[2]), GetSysColor(kIds[3])};
    const tk::HighContrastQuestion system = std::exchange(tk::g_highContrastOn, [] { return highContrast; });
    ~Scheme() { Set(false, before), tk::g_highContrastOn = system; }
    void Set(bool on, const COLORREF (&colours)[4]) {
        if (SetSysColors(4, kIds, colours), highContrast != on)
            highContrast = on, SendMessageW(HWND_BROADCAST, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        Pump(100);
    }
};

// Whether any pixel of the client rectangle r, as the window draws it now, has the colour.
inline bool Shows(HWND hwnd, RECT r, COLORREF colour) {
    tk::ScopedGetDC dc(hwnd);
    for (int y = r.top; y < r.bottom; ++y) for (int x = r.left; x < r.right; ++x) if (GetPixel(dc.Get(), x, y) == colour) return true;
    return false;
}

// Until the result goes, the system refuses to make windows of the class on this thread:
// a hook says no, as the system does when it runs out of window handles.
inline std::shared_ptr<void> RefuseWindows(const wchar_t* className) {
    static const wchar_t* refused;
    refused = className;
    HHOOK hook = SetWindowsHookExW(WH_CBT, [](int code, WPARAM wParam, LPARAM lParam) CALLBACK -> LRESULT {
        if (code == HCBT_CREATEWND && _wcsicmp(ClassOf(reinterpret_cast<HWND>(wParam)).c_str(), refused) == 0) return 1;
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }, nullptr, GetCurrentThreadId());
    return std::shared_ptr<void>(hook, UnhookWindowsHookEx);
}

}  // namespace wintest
