// wininspect: reads for the end-to-end tests what X11 tools cannot see of a Windows program
// under Wine. Prints JSON lines (non-ASCII as \u escapes).
//
//   wininspect menu        items of the open popup menu: {"text":...,"checked":...}, "-" for a separator
//   wininspect at X Y      the window under screen point X,Y: class and text, its top-level window's title
//   wininspect state TITLE every top-level window with that title: visible, minimised, topmost
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Json.h"

namespace {

std::wstring ClassOf(HWND h) {
    wchar_t buf[256] = {};
    GetClassNameW(h, buf, 256);
    return buf;
}

// WM_GETTEXT is marshalled across processes, so it reads another program's text box; a
// hung program must not hang the test.
std::wstring TextOf(HWND h) {
    wchar_t buf[4096] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutW(h, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, &got);
    return buf;
}

BOOL CALLBACK FindMenuWindow(HWND h, LPARAM found) {
    if (ClassOf(h) != L"#32768" || !IsWindowVisible(h)) return TRUE;
    *reinterpret_cast<HWND*>(found) = h;
    return FALSE;
}

// A menu handle is private to its process under Wine: the hook DLL reads it inside the
// menu's thread and leaves the items in a file.
int Menu() {
    HWND window = nullptr;
    EnumWindows(FindMenuWindow, reinterpret_cast<LPARAM>(&window));
    HMODULE dll = LoadLibraryW(L"menuhook.dll");
    auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, "MenuHookProc")));
    if (!window || !proc) return 1;
    DeleteFileW(MenuFile().c_str());
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, proc, dll, GetWindowThreadProcessId(window, nullptr));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, RegisterWindowMessageW(L"wininspect.menu"), 0, 0, SMTO_ABORTIFHUNG, 3000, &ignored);
    if (hook) UnhookWindowsHookEx(hook);
    FILE* in = _wfopen(MenuFile().c_str(), L"r");
    if (!in) return 1;
    char line[1024];
    while (fgets(line, sizeof line, in)) fputs(line, stdout);
    fclose(in);
    return 0;
}

int At(int x, int y) {
    HWND hit = WindowFromPoint(POINT{x, y});
    if (!hit) return 1;
    printf("{\"class\":%s,\"text\":%s,\"title\":%s}\n", Json(ClassOf(hit)).c_str(), Json(TextOf(hit)).c_str(),
           Json(TextOf(GetAncestor(hit, GA_ROOT))).c_str());
    return 0;
}

BOOL CALLBACK PrintState(HWND h, LPARAM title) {
    wchar_t buf[512] = {};
    InternalGetWindowText(h, buf, 512);  // kept by the system: no message to a busy program
    if (std::wstring(buf) != reinterpret_cast<const wchar_t*>(title)) return TRUE;
    printf("{\"visible\":%s,\"iconic\":%s,\"topmost\":%s}\n", IsWindowVisible(h) ? "true" : "false",
           IsIconic(h) ? "true" : "false", (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "true" : "false");
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::wstring cmd = argc > 1 ? argv[1] : L"";
    int rc = 2;
    if (cmd == L"menu") rc = Menu();
    if (cmd == L"at" && argc == 4) rc = At(_wtoi(argv[2]), _wtoi(argv[3]));
    if (cmd == L"state" && argc == 3) rc = EnumWindows(PrintState, reinterpret_cast<LPARAM>(argv[2])) ? 0 : 1;
    fflush(stdout);
    return rc;
}
