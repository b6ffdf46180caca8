#include "toolkit/Button.h"

#include <commctrl.h>

#include "toolkit/Application.h"
#include "toolkit/CreateFailure.h"
#include "toolkit/Form.h"

namespace tk {
namespace {

const DWORD_PTR kEnterPresses = 1;
const DWORD_PTR kEscPresses = 2;
const UINT_PTR kKeySubclassId = 1;

// The program's message loop has no dialog manager, so the focused button itself turns
// Enter and Esc into a press. The press is posted: its handler may close the form, and
// the button must not be destroyed in the middle of its own key handling. Tab goes to the
// form, which knows where the keyboard goes next.
LRESULT CALLBACK KeyProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR flags) {
    switch (msg) {
    case WM_KEYDOWN:
        if ((wParam == VK_RETURN && (flags & kEnterPresses)) || (wParam == VK_ESCAPE && (flags & kEscPresses))) {
            PostMessageW(hwnd, BM_CLICK, 0, 0);
            return 0;
        }
        if (wParam == VK_TAB) return SendMessageW(GetParent(hwnd), msg, wParam, lParam);
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, KeyProc, id);
        break;
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void Button::Create(Form& parent, const ButtonArgs& args) {
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (args.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    const RECT& r = args.rect;
    const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id));
    m_hwnd = RequireCreated(CreateWindowExW(0, L"BUTTON", args.caption.c_str(), style, r.left, r.top, r.right - r.left,
                                            r.bottom - r.top, parent.Handle(), id, Instance(), nullptr),
                            L"按钮 (BUTTON)");
    HFONT font = args.font ? args.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    DWORD_PTR keys = (args.isDefault ? kEnterPresses : 0u) | (args.isCancel ? kEscPresses : 0u);
    SetWindowSubclass(m_hwnd, KeyProc, kKeySubclassId, keys);
    if (args.onClick) {
        parent.OnControlCommand(args.id, [onClick = args.onClick](int code) {
            if (code == BN_CLICKED) onClick();
        });
    }
}

}  // namespace tk
