// wininspect: reads for the end-to-end tests what X11 tools cannot see of a Windows program under
// Wine. Prints UTF-16 lines, fields separated by tabs:
//   wininspect at X Y       the window under a screen point: its class, its text
//   wininspect state TITLE  each top-level window of that title: visible, minimised, topmost (0/1)
//   wininspect reader TITLE [N]  what a screen reader finds on the first window of that title: the
//                           first four children's names and default actions; with N, child N's is done
#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// UTF-16, as the system holds text (the tests decode it), line breaks unchanged.
void Put(FILE* out, const std::wstring& s) { fwrite(s.data(), sizeof(wchar_t), s.size(), out); }

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

// A reader in another process, as readers are. The interface's id is spelt here: MinGW's
// IID_IAccessible from -loleacc can be an import thunk's address.
int Reader(const wchar_t* title, long press) {
    static const GUID accessible = {0x618736e0, 0x3c3d, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    IAccessible* acc = nullptr;
    VARIANT child = {};
    child.vt = VT_I4;
    CoInitialize(nullptr);
    if (AccessibleObjectFromWindow(FindWindowW(nullptr, title), OBJID_CLIENT, accessible, reinterpret_cast<void**>(&acc)) != S_OK) return 1;
    for (BSTR name = nullptr, action = nullptr; ++child.lVal <= 4; SysFreeString(name), SysFreeString(action)) {
        name = action = nullptr, acc->get_accName(child, &name), acc->get_accDefaultAction(child, &action);
        Put(stdout, std::wstring(name ? name : L"") + L"\t" + (action ? action : L"") + L"\n");
    }
    child.lVal = press;
    HRESULT done = press ? acc->accDoDefaultAction(child) : S_OK;
    return acc->Release(), done == S_OK ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // UTF-16 and a text box's own line breaks go out unchanged
    std::wstring cmd = argc > 1 ? argv[1] : L"";
    int rc = 2;
    if (cmd == L"at" && argc == 4) rc = At(_wtoi(argv[2]), _wtoi(argv[3]));
    if (cmd == L"state" && argc == 3) rc = EnumWindows(PrintState, reinterpret_cast<LPARAM>(argv[2])) ? 0 : 1;
    if (cmd == L"reader" && argc >= 3) rc = Reader(argv[2], argc > 3 ? _wtol(argv[3]) : 0);
    fflush(stdout);
    return rc;
}
