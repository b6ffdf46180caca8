#include "toolkit/ControlKeys.h"

#include <commctrl.h>

#include <utility>

namespace tk {
namespace {

struct Taker {
    std::function<bool(UINT key)> handler;
    bool taken = false;  // the character of a taken key is not typed either
};

LRESULT CALLBACK KeyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    auto* taker = reinterpret_cast<Taker*>(data);
    switch (msg) {
    case WM_KEYDOWN:
        taker->taken = taker->handler(static_cast<UINT>(wParam));
        if (taker->taken) return 0;
        break;
    case WM_CHAR:
        if (std::exchange(taker->taken, false)) return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, KeyProc, id);
        delete taker;
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void TakeKeys(HWND control, std::function<bool(UINT key)> handler) {
    auto* taker = new Taker{std::move(handler)};
    if (!SetWindowSubclass(control, KeyProc, 1, reinterpret_cast<DWORD_PTR>(taker))) delete taker;
}

}  // namespace tk
