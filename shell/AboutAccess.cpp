#include "shell/AboutAccess.h"

#include <oleacc.h>

#include "toolkit/Button.h"
#include "toolkit/Form.h"

namespace {
constexpr std::size_t kLinkChild = 1;  // the link is the first element readers are told of
constexpr long kLinkState = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED;
}  // namespace

AboutAccess::AboutAccess(tk::Form& box, const tk::Button& ok, std::function<void()> open)
    : m_box(box), m_ok(ok), m_open(std::move(open)) {}

void AboutAccess::Describe(const tk::Label& link, const tk::Label& version, const tk::Label& copyright) {
    m_link = &link;
    m_box.Reader().Add({&link, ROLE_SYSTEM_LINK, L"", L"跳转", L"", kLinkState, m_open});
    m_box.Reader().Add({&version, ROLE_SYSTEM_STATICTEXT, L"", L"", L"", STATE_SYSTEM_READONLY, nullptr});
    m_box.Reader().Add({&copyright, ROLE_SYSTEM_STATICTEXT, L"", L"", L"", STATE_SYSTEM_READONLY, nullptr});
}

void AboutAccess::InvalidateLink() const { InvalidateRect(m_box.Handle(), &m_link->Rect(), FALSE); }

void AboutAccess::FocusLink(bool link) {
    m_linkFocused = link;
    InvalidateLink();
    m_box.Reader().SetState(kLinkChild, kLinkState | (link ? STATE_SYSTEM_FOCUSED : 0));
    if (link) {
        SetFocus(m_box.Handle());
        tk::NotifyReaders(EVENT_OBJECT_FOCUS, m_box.Handle(), kLinkChild);
    } else {
        m_ok.Focus();
    }
}

void AboutAccess::PaintFocus() const {
    if (m_linkFocused && GetFocus() == m_box.Handle()) {
        tk::ScopedGetDC dc(m_box.Handle());
        DrawFocusRect(dc.Get(), &m_link->Rect());
    }
}

bool AboutAccess::OnMessage(UINT msg, WPARAM wParam) {
    switch (msg) {
    case WM_SETFOCUS:
        // Activation gives the focus to the box itself; unless the link has the keyboard, the
        // OK button takes it, so Enter and Esc close the box as in any dialog.
        if (!m_linkFocused) {
            m_ok.Focus();
            return true;
        }
        InvalidateLink();
        return false;
    case WM_KILLFOCUS:
        // To OK by the mouse: the keyboard is no longer on the link. To another window: it
        // comes back to the link when the box is active again.
        if (IsChild(m_box.Handle(), reinterpret_cast<HWND>(wParam)) && m_linkFocused) {
            m_linkFocused = false;
            m_box.Reader().SetState(kLinkChild, kLinkState);
        }
        InvalidateLink();  // the mark comes and goes with the focus
        return false;
    case WM_KEYDOWN:
        if (wParam == VK_TAB) {
            FocusLink(!m_linkFocused);
            return true;
        }
        if (!m_linkFocused) return false;
        if (wParam == VK_RETURN) m_open();
        if (wParam == VK_ESCAPE) {
            HWND ok = m_ok.Handle();
            PostMessageW(m_box.Handle(), WM_COMMAND, GetDlgCtrlID(ok), reinterpret_cast<LPARAM>(ok));
        }
        return wParam == VK_RETURN || wParam == VK_ESCAPE;
    }
    return false;
}
