#include "toolkit/TextBox.h"

#include <commctrl.h>

#include <utility>

#include "toolkit/Accessible.h"
#include "toolkit/Application.h"
#include "toolkit/ControlKeys.h"
#include "toolkit/CreateFailure.h"
#include "toolkit/Dpi.h"
#include "toolkit/Form.h"

namespace tk {

void TextBox::Create(Form& parent, const TextBoxArgs& args) {
    m_parent = parent.Handle();
    m_background = args.background;
    // No ES_AUTOHSCROLL: long lines wrap at the right edge, as in a note.
    if (!args.name.empty()) AddHiddenLabel(m_parent, args.name);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;
    m_hwnd = RequireCreated(CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", style, args.rect.left, args.rect.top,
                                            args.rect.right - args.rect.left, args.rect.bottom - args.rect.top,
                                            m_parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                                            Instance(), nullptr),
                            L"文本框 (EDIT)");
    if (args.font) SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(args.font), FALSE);
    // The default limit is 32,767 characters; 0 lifts it to what memory allows.
    SendMessageW(m_hwnd, EM_SETLIMITTEXT, 0, 0);
    if (args.onKey) TakeKeys(m_hwnd, args.onKey);
}

std::wstring TextBox::Text() const {
    int n = GetWindowTextLengthW(m_hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(m_hwnd, &text[0], n + 1)));
    return text;
}

void TextBox::SetText(const std::wstring& text) { SetWindowTextW(m_hwnd, text.c_str()); }

bool TextBox::ReplaceText(const std::wstring& text) {
    return SendMessageW(m_hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) != FALSE;
}

std::size_t TextBox::MaxLength() const {
    return static_cast<std::size_t>(SendMessageW(m_hwnd, EM_GETLIMITTEXT, 0, 0));
}

int TextBox::Height() const {
    RECT r;
    GetWindowRect(m_hwnd, &r);
    return r.bottom - r.top;
}

void TextBox::SetHeight(int pixels) {
    RECT r;
    GetWindowRect(m_hwnd, &r);
    SetWindowPos(m_hwnd, nullptr, 0, 0, r.right - r.left, pixels, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TextBox::SetLayout(const RECT& rect, HFONT font) {
    PlaceControl(m_hwnd, rect, font);
}

void TextBox::SetFocus() { ::SetFocus(m_hwnd); }

bool TextBox::HasFocus() const { return m_hwnd && GetFocus() == m_hwnd; }

HBRUSH TextBox::OnCtlColor(HDC dc, HWND control) const {
    if (control != m_hwnd) return nullptr;
    SetBkColor(dc, m_background);
    if (m_text != CLR_INVALID) SetTextColor(dc, m_text);
    // The DC's own brush: any colour, and no brush object for each text box.
    SetDCBrushColor(dc, m_background);
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

void TextBox::SetColours(COLORREF background, COLORREF text) {
    m_background = background;
    m_text = text;
}

}  // namespace tk
