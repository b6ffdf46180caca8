// The about box's link for the keyboard and for screen readers. The link is drawn, not a
// window: while it has the keyboard, the about box itself holds the focus and marks the
// link with the system's focus rectangle. Tab moves between the link and OK, Enter on the
// link opens the home page, Esc closes the box as OK does.
#include <oleacc.h>

#include "shell/frmAbout.h"

namespace {
constexpr std::size_t kLinkChild = 1;  // the link is the first element readers are told of
constexpr long kLinkState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED;
}

void frmAbout::DescribeForReaders() {
    m_access.Add({m_label1, ROLE_SYSTEM_LINK, L"", L"跳转", L"", kLinkState,
                  [this] { Label1_Click(); }});
    m_access.Add({m_label2, ROLE_SYSTEM_STATICTEXT, L"", L"", L"", STATE_SYSTEM_READONLY, nullptr});
    m_access.Add({m_label4, ROLE_SYSTEM_STATICTEXT, L"", L"", L"", STATE_SYSTEM_READONLY, nullptr});
}

void frmAbout::FocusLink(bool link) {
    m_linkFocused = link;
    InvalidateRect(Handle(), &m_label1->Rect(), FALSE);
    m_access.SetState(kLinkChild, kLinkState | (link ? STATE_SYSTEM_FOCUSED : 0));
    if (link) {
        SetFocus(Handle());
        tk::NotifyReaders(EVENT_OBJECT_FOCUS, Handle(), kLinkChild);
    } else {
        m_command1.Focus();
    }
}

bool frmAbout::OnLinkMessage(UINT msg, WPARAM wParam) {
    switch (msg) {
    case WM_PAINT:
        if (m_linkFocused && GetFocus() == Handle()) {
            tk::ScopedGetDC dc(Handle());
            DrawFocusRect(dc.Get(), &m_label1->Rect());
        }
        return true;
    case WM_KILLFOCUS:
        // To OK by the mouse: the keyboard is no longer on the link. To another window: it
        // comes back to the link when the box is active again.
        if (IsChild(Handle(), reinterpret_cast<HWND>(wParam)) && m_linkFocused) {
            m_linkFocused = false;
            m_access.SetState(kLinkChild, kLinkState);
        }
        InvalidateRect(Handle(), &m_label1->Rect(), FALSE);  // the mark comes and goes with the focus
        return false;
    case WM_SETFOCUS:
        InvalidateRect(Handle(), &m_label1->Rect(), FALSE);
        return false;
    case WM_KEYDOWN:
        if (wParam == VK_TAB) {
            FocusLink(!m_linkFocused);
            return true;
        }
        if (!m_linkFocused) return false;
        if (wParam == VK_RETURN) Label1_Click();
        if (wParam == VK_ESCAPE) PostMessageW(Handle(), WM_COMMAND, Command1Id, reinterpret_cast<LPARAM>(m_command1.Handle()));
        return wParam == VK_RETURN || wParam == VK_ESCAPE;
    }
    return false;
}
