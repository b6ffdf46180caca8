#include "toolkit/WindowOrder.h"

#include <vector>

namespace tk {
namespace {

bool IsTopmost(HWND hwnd) { return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// The windows that hwnd owns, from the top of the z-order down.
std::vector<HWND> OwnedWindows(HWND owner) {
    std::vector<HWND> owned;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetWindow(w, GW_OWNER) == owner) owned.push_back(w);
    }
    return owned;
}

void SetOwner(HWND hwnd, HWND owner) { SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner)); }

}  // namespace

bool SetTopmost(HWND hwnd, bool topmost) {
    const HWND band = topmost ? HWND_TOPMOST : HWND_NOTOPMOST;
    const UINT keep = SWP_NOMOVE | SWP_NOSIZE;
    SetWindowPos(hwnd, band, 0, 0, 0, 0, keep);
    if (IsTopmost(hwnd) == topmost) return topmost;

    // Wine keeps a date picker's calendar as a hidden popup owned by the window. It moves
    // owned popups first and then places the window after the last of them; when they
    // already stand right above it nothing moves, and the topmost flag is left as it was.
    // So move the window on its own, then its popups above it, and give them back.
    const std::vector<HWND> popups = OwnedWindows(hwnd);
    for (HWND popup : popups) SetOwner(popup, nullptr);
    SetWindowPos(hwnd, band, 0, 0, 0, 0, keep);
    for (auto it = popups.rbegin(); it != popups.rend(); ++it)
        SetWindowPos(*it, band, 0, 0, 0, 0, keep | SWP_NOACTIVATE);
    for (HWND popup : popups) SetOwner(popup, hwnd);
    return IsTopmost(hwnd);
}

}  // namespace tk
