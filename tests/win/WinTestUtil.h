#pragma once
// The shared helpers of the Windows tests: message pumping, plain forms, windows and drawn
// children read back as the user and a screen reader meet them, the program's message
// boxes answered, colour schemes switched, window creation refused, GDI objects counted.
#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "toolkit/Form.h"
#include "toolkit/SystemColours.h"

inline bool operator==(const RECT& a, const RECT& b) { return EqualRect(&a, &b); }

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

// A loaded plain form of the style, 150 x 90, destroyed when the test lets it go, also when one fails.
inline std::shared_ptr<tk::Form> LoadTestForm(DWORD style) {
    return {tk::LoadForm<TestForm>(tk::FormStyle{style, 0, 150, 90}), [](tk::Form* form) { form->Destroy(); }};
}

inline std::wstring WindowText(HWND hwnd) { wchar_t text[512] = {}; GetWindowTextW(hwnd, text, 512); return text; }
inline std::wstring ClassOf(HWND hwnd) { wchar_t name[64] = {}; GetClassNameW(hwnd, name, 64); return name; }

// What a screen reader hears of a form's drawn child (numbered from 1): its name, default
// action, role, state and place in the form's client pixels.
using Heard = std::tuple<std::wstring, std::wstring, long, long, RECT>;
inline Heard Hears(IAccessible* reader, HWND form, long child) {
    VARIANT id{}, role{}, state{};
    id.vt = VT_I4, id.lVal = child;
    BSTR name = nullptr, action = nullptr;
    LONG x = 0, y = 0, w = 0, h = 0;
    POINT origin{0, 0};
    reader->get_accName(id, &name), reader->get_accDefaultAction(id, &action), reader->get_accRole(id, &role);
    reader->get_accState(id, &state), reader->accLocation(&x, &y, &w, &h, id), ClientToScreen(form, &origin);
    Heard heard{name ? name : L"", action ? action : L"", role.lVal, state.lVal, RECT{x - origin.x, y - origin.y, x - origin.x + w, y - origin.y + h}};
    SysFreeString(name), SysFreeString(action);
    return heard;
}

// Runs `action`, answering each of the program's message boxes ("GlumaNote") that comes up
// meanwhile with OK, from a timer that the box's own loop runs; returns their texts.
inline std::vector<std::wstring> AnswerMessageBoxes(const std::function<void()>& action) {
    static std::vector<std::wstring> texts;
    texts.clear();
    UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) CALLBACK {
        HWND box = FindWindowW(L"#32770", L"GlumaNote");
        if (box && IsWindowVisible(box)) texts.push_back(WindowText(GetDlgItem(box, 0xFFFF))), SendMessageW(box, WM_COMMAND, IDOK, 0);
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

}  // namespace wintest
