// menuhook: a hook DLL that wininspect sets on the thread of an open popup menu. Under Wine a
// menu handle means nothing in another process, so the items are read here, inside the
// program under test, and written as JSON lines to a file (MenuFile) that wininspect prints.
#include <windows.h>

#include <cstdio>

#include "Json.h"

namespace {

void WriteItems(HWND menuWindow) {
    auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    FILE* out = _wfopen(MenuFile().c_str(), L"w");
    if (!out) return;
    for (int i = 0; menu && i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = 256;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii)) break;
        fprintf(out, "{\"text\":%s,\"checked\":%s}\n", Json((mii.fType & MFT_SEPARATOR) ? L"-" : text).c_str(),
                (mii.fState & MFS_CHECKED) ? "true" : "false");
    }
    fclose(out);
}

}  // namespace

// The request is the registered message "wininspect.menu" sent to the menu's window.
extern "C" __declspec(dllexport) LRESULT CALLBACK MenuHookProc(int code, WPARAM wp, LPARAM lp) {
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && msg->message == RegisterWindowMessageW(L"wininspect.menu")) WriteItems(msg->hwnd);
    return CallNextHookEx(nullptr, code, wp, lp);
}
