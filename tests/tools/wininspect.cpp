// wininspect: reads for the end-to-end tests what X11 tools cannot see of a Windows program under
// Wine. Prints UTF-16 lines, fields separated by tabs:
//   wininspect menu         the open popup menu's items: checked (0/1), text ("-" for a separator,
//                           " (greyed)" after a greyed item's)
//   wininspect at X Y       the window under a screen point: its class, its text
//   wininspect state TITLE  each top-level window of that title: visible, minimised, topmost (0/1)
#include <fcntl.h>
#include <io.h>

#include <cstdlib>

#include "Inspect.h"

namespace {

// The hook DLL reads the menu inside its own thread (see menuhook.cpp).
int Menu() {
    HWND window = FindWindowW(L"#32768", nullptr);  // the open popup menu's window
    HMODULE dll = LoadLibraryW(L"menuhook.dll");
    auto proc = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(GetProcAddress(dll, "MenuHookProc")));
    if (!window || !proc) return 1;
    DeleteFileW(kMenuFile);
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, proc, dll, GetWindowThreadProcessId(window, nullptr));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, RegisterWindowMessageW(L"wininspect.menu"), 0, 0, SMTO_ABORTIFHUNG, 3000, &ignored);
    if (hook) UnhookWindowsHookEx(hook);
    std::unique_ptr<FILE, int (*)(FILE*)> in(_wfopen(kMenuFile, L"rb"), fclose);
    for (int c; in && (c = fgetc(in.get())) != EOF;) putchar(c);
    return in ? 0 : 1;
}

// WM_GETTEXT is marshalled across processes, so it reads another program's text box.
int At(int x, int y) {
    HWND hit = WindowFromPoint(POINT{x, y});
    wchar_t kind[256] = {}, text[4096] = {};
    GetClassNameW(hit, kind, 256);
    DWORD_PTR got = 0;
    SendMessageTimeoutW(hit, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &got);
    Put(stdout, std::wstring(kind) + L"\t" + text);
    return hit ? 0 : 1;
}

BOOL CALLBACK PrintState(HWND h, LPARAM title) {
    wchar_t buf[512] = {};
    InternalGetWindowText(h, buf, 512);  // kept by the system: no message to a busy program
    if (wcscmp(buf, reinterpret_cast<const wchar_t*>(title)) == 0)
        Put(stdout, {IsWindowVisible(h) ? L'1' : L'0', L'\t', IsIconic(h) ? L'1' : L'0', L'\t',
                     (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) ? L'1' : L'0', L'\n'});
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // UTF-16 and a text box's own line breaks go out unchanged
    std::wstring cmd = argc > 1 ? argv[1] : L"";
    int rc = 2;
    if (cmd == L"menu") rc = Menu();
    if (cmd == L"at" && argc == 4) rc = At(_wtoi(argv[2]), _wtoi(argv[3]));
    if (cmd == L"state" && argc == 3) rc = EnumWindows(PrintState, reinterpret_cast<LPARAM>(argv[2])) ? 0 : 1;
    fflush(stdout);
    return rc;
}
