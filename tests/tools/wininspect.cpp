// wininspect: looks at the windows of running programs the way UI automation tools do, for
// the end-to-end tests. Prints one JSON object per line (non-ASCII as \u escapes).
//
//   wininspect list                 top-level windows of every process
//   wininspect children HWND        child windows of a window
//   wininspect gui HWND             focus/active/capture windows of the window's thread
//   wininspect menu HWND            items of a popup menu window (class #32768)
//   wininspect send HWND MSG WPARAM LPARAM   SendMessage, prints the result
//   wininspect post HWND MSG WPARAM LPARAM   PostMessage
//   wininspect kill PID             TerminateProcess
//   wininspect gdi PID              GDI and USER object counts and private bytes of a process
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Json(const std::wstring& s) {
    std::string out = "\"";
    for (wchar_t c : s) {
        if (c == L'"' || c == L'\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c > 0x7E) {
            char buf[8];
            snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string Rect(const RECT& r) {
    char buf[80];
    snprintf(buf, sizeof buf, "[%ld,%ld,%ld,%ld]", r.left, r.top, r.right, r.bottom);
    return buf;
}

std::string Handle(HWND h) { return std::to_string(reinterpret_cast<UINT_PTR>(h)); }

HWND ParseHwnd(const wchar_t* s) { return reinterpret_cast<HWND>(static_cast<UINT_PTR>(_wcstoui64(s, nullptr, 0))); }

std::wstring ClassOf(HWND h) {
    wchar_t buf[256] = {};
    GetClassNameW(h, buf, 256);
    return buf;
}

std::wstring TextOf(HWND h) {
    // WM_GETTEXT is marshalled across processes, so it reads an edit control's text too.
    // A busy or hung program must not hang the inspection.
    DWORD_PTR n = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &n) || n == 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(h, WM_GETTEXT, static_cast<WPARAM>(n + 1), reinterpret_cast<LPARAM>(&text[0]),
                             SMTO_ABORTIFHUNG, 2000, &got))
        return {};
    text.resize(static_cast<size_t>(got));
    return text;
}

std::wstring TitleOf(HWND h) {
    // A top-level window's caption is kept by the system: no message to the window.
    wchar_t buf[512] = {};
    InternalGetWindowText(h, buf, 512);
    return buf;
}

std::wstring ExeOf(DWORD pid) {
    HANDLE p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (!p) return {};
    wchar_t buf[MAX_PATH] = {};
    DWORD n = MAX_PATH;
    std::wstring name;
    if (QueryFullProcessImageNameW(p, 0, buf, &n)) {
        name = buf;
        size_t slash = name.find_last_of(L"\\/");
        if (slash != std::wstring::npos) name = name.substr(slash + 1);
    }
    CloseHandle(p);
    return name;
}

std::string Region(HWND h) {
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    int kind = GetWindowRgn(h, rgn);
    std::string out = "null";
    if (kind != ERROR) {
        DWORD size = GetRegionData(rgn, 0, nullptr);
        std::vector<char> buf(size);
        auto* data = reinterpret_cast<RGNDATA*>(buf.data());
        if (size && GetRegionData(rgn, size, data)) {
            out = "[";
            auto* rects = reinterpret_cast<RECT*>(data->Buffer);
            for (DWORD i = 0; i < data->rdh.nCount; ++i) out += (i ? "," : "") + Rect(rects[i]);
            out += "]";
        }
    }
    DeleteObject(rgn);
    return out;
}

void PrintWindow(HWND h) {
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    RECT wr, cr;
    GetWindowRect(h, &wr);
    GetClientRect(h, &cr);
    POINT origin = {0, 0};
    ClientToScreen(h, &origin);
    WINDOWPLACEMENT wp = {};
    wp.length = sizeof wp;
    GetWindowPlacement(h, &wp);
    printf("{\"hwnd\":%s,\"pid\":%lu,\"exe\":%s,\"class\":%s,\"title\":%s,\"visible\":%s,\"iconic\":%s,"
           "\"rect\":%s,\"client\":[%ld,%ld],\"client_origin\":[%ld,%ld],\"style\":%lu,\"exstyle\":%lu,"
           "\"owner\":%s,\"normal_rect\":%s,\"region\":%s}\n",
           Handle(h).c_str(), pid, Json(ExeOf(pid)).c_str(), Json(ClassOf(h)).c_str(), Json(TitleOf(h)).c_str(),
           IsWindowVisible(h) ? "true" : "false", IsIconic(h) ? "true" : "false", Rect(wr).c_str(), cr.right,
           cr.bottom, origin.x, origin.y, static_cast<unsigned long>(GetWindowLongPtrW(h, GWL_STYLE)),
           static_cast<unsigned long>(GetWindowLongPtrW(h, GWL_EXSTYLE)), Handle(GetWindow(h, GW_OWNER)).c_str(),
           Rect(wp.rcNormalPosition).c_str(), Region(h).c_str());
}

BOOL CALLBACK ListTop(HWND h, LPARAM) {
    PrintWindow(h);
    fflush(stdout);  // a listing cut short still shows how far it got
    return TRUE;
}

BOOL CALLBACK ListChild(HWND h, LPARAM parent) {
    if (GetParent(h) != reinterpret_cast<HWND>(parent)) return TRUE;  // direct children only
    RECT r;
    GetWindowRect(h, &r);
    printf("{\"hwnd\":%s,\"class\":%s,\"id\":%ld,\"text\":%s,\"visible\":%s,\"rect\":%s,\"style\":%lu}\n",
           Handle(h).c_str(), Json(ClassOf(h)).c_str(), static_cast<long>(GetDlgCtrlID(h)), Json(TextOf(h)).c_str(),
           IsWindowVisible(h) ? "true" : "false", Rect(r).c_str(),
           static_cast<unsigned long>(GetWindowLongPtrW(h, GWL_STYLE)));
    return TRUE;
}

int Gui(HWND h) {
    GUITHREADINFO gti = {};
    gti.cbSize = sizeof gti;
    DWORD tid = GetWindowThreadProcessId(h, nullptr);
    if (!GetGUIThreadInfo(tid, &gti)) return 1;
    printf("{\"active\":%s,\"focus\":%s,\"capture\":%s,\"menuowner\":%s,\"inmenu\":%s,\"foreground\":%s}\n",
           Handle(gti.hwndActive).c_str(), Handle(gti.hwndFocus).c_str(), Handle(gti.hwndCapture).c_str(),
           Handle(gti.hwndMenuOwner).c_str(), (gti.flags & GUI_INMENUMODE) ? "true" : "false",
           Handle(GetForegroundWindow()).c_str());
    return 0;
}

int Menu(HWND h) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(h, MN_GETHMENU, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) || !result) return 1;
    auto menu = reinterpret_cast<HMENU>(result);
    int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = 256;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
        printf("{\"index\":%d,\"id\":%u,\"text\":%s,\"separator\":%s,\"checked\":%s,\"disabled\":%s}\n", i,
               mii.wID, Json(text).c_str(), (mii.fType & MFT_SEPARATOR) ? "true" : "false",
               (mii.fState & MFS_CHECKED) ? "true" : "false", (mii.fState & MFS_DISABLED) ? "true" : "false");
    }
    return 0;
}

int Gdi(DWORD pid) {
    HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!p) return 1;
    PROCESS_MEMORY_COUNTERS_EX pmc = {};
    pmc.cb = sizeof pmc;
    GetProcessMemoryInfo(p, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc);
    printf("{\"gdi\":%lu,\"user\":%lu,\"private\":%llu,\"working_set\":%llu}\n", GetGuiResources(p, GR_GDIOBJECTS),
           GetGuiResources(p, GR_USEROBJECTS), static_cast<unsigned long long>(pmc.PrivateUsage),
           static_cast<unsigned long long>(pmc.WorkingSetSize));
    CloseHandle(p);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) return 2;
    std::wstring cmd = argv[1];
    int rc = 0;
    if (cmd == L"list") {
        EnumWindows(ListTop, 0);
    } else if (cmd == L"children" && argc >= 3) {
        HWND parent = ParseHwnd(argv[2]);
        EnumChildWindows(parent, ListChild, reinterpret_cast<LPARAM>(parent));
    } else if (cmd == L"gui" && argc >= 3) {
        rc = Gui(ParseHwnd(argv[2]));
    } else if (cmd == L"menu" && argc >= 3) {
        rc = Menu(ParseHwnd(argv[2]));
    } else if ((cmd == L"send" || cmd == L"post") && argc >= 6) {
        HWND h = ParseHwnd(argv[2]);
        auto msg = static_cast<UINT>(wcstoul(argv[3], nullptr, 0));
        auto wp = static_cast<WPARAM>(_wcstoui64(argv[4], nullptr, 0));
        auto lp = static_cast<LPARAM>(_wcstoi64(argv[5], nullptr, 0));
        if (cmd == L"send") {
            printf("{\"result\":%lld}\n", static_cast<long long>(SendMessageW(h, msg, wp, lp)));
        } else {
            rc = PostMessageW(h, msg, wp, lp) ? 0 : 1;
        }
    } else if (cmd == L"kill" && argc >= 3) {
        HANDLE p = OpenProcess(PROCESS_TERMINATE, FALSE, wcstoul(argv[2], nullptr, 0));
        rc = (p && TerminateProcess(p, 1)) ? 0 : 1;
        if (p) CloseHandle(p);
    } else if (cmd == L"gdi" && argc >= 3) {
        rc = Gdi(wcstoul(argv[2], nullptr, 0));
    } else {
        return 2;
    }
    fflush(stdout);
    return rc;
}
