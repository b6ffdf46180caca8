#include "toolkit/SystemColours.h"

namespace tk {
namespace {

bool SystemHighContrastOn() {
    HIGHCONTRASTW hc = {};
    hc.cbSize = sizeof hc;
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) && (hc.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace

HighContrastQuestion g_highContrastOn = SystemHighContrastOn;

bool HighContrastOn() { return g_highContrastOn(); }

bool IsColourSchemeChange(UINT msg, WPARAM wParam) {
    return msg == WM_SYSCOLORCHANGE || msg == WM_THEMECHANGED ||
           (msg == WM_SETTINGCHANGE && wParam == SPI_SETHIGHCONTRAST);
}

Rgb ToRgb(COLORREF colour) { return Rgb{GetRValue(colour), GetGValue(colour), GetBValue(colour)}; }

COLORREF ToColorRef(Rgb colour) { return RGB(colour.r, colour.g, colour.b); }

COLORREF ReadableOn(COLORREF background, std::initializer_list<COLORREF> wanted) {
    const Rgb ground = ToRgb(background);
    for (COLORREF ink : wanted) {
        if (Reads(ToRgb(ink), ground)) return ink;
    }
    return ToColorRef(BlackOrWhiteOn(ground));
}

void RedrawAll(HWND hwnd) { RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN); }

void PassToChildren(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam) {
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    } m{msg, wParam, lParam};
    EnumChildWindows(parent, [](HWND child, LPARAM p) CALLBACK -> BOOL {
        const auto* m = reinterpret_cast<const Message*>(p);
        SendMessageW(child, m->msg, m->wParam, m->lParam);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&m));
}

}  // namespace tk
