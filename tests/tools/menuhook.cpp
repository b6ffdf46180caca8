// menuhook: a hook DLL that wininspect sets on the thread of an open popup menu. Under Wine a
// menu handle means nothing in another process, so the items are read here, inside the program
// under test, and left in kMenuFile as lines "checked<TAB>text" ("-" for a separator; a greyed
// item's text ends in " (greyed)").
#include "Inspect.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK MenuHookProc(int code, WPARAM wp, LPARAM lp) {
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code != HC_ACTION || msg->message != RegisterWindowMessageW(L"wininspect.menu"))
        return CallNextHookEx(nullptr, code, wp, lp);
    auto menu = reinterpret_cast<HMENU>(SendMessageW(msg->hwnd, MN_GETHMENU, 0, 0));
    std::unique_ptr<FILE, int (*)(FILE*)> out(_wfopen(kMenuFile, L"wb"), fclose);
    for (int i = 0; out && menu && i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        const std::wstring shown = (state & MF_SEPARATOR) ? L"-" : text + std::wstring((state & MF_GRAYED) ? L" (greyed)" : L"");
        Put(out.get(), ((state & MF_CHECKED) ? L"1\t" : L"0\t") + shown + L"\n");
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}
