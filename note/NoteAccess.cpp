#include "note/NoteAccess.h"

#include <oleacc.h>

#include <algorithm>
#include <typeinfo>
#include <vector>

#include "toolkit/Form.h"
#include "toolkit/LoadedForms.h"
#include "toolkit/PopupMenu.h"

namespace note {
namespace {

// The menu label's number among the note's accessible children (they count from 1).
constexpr std::size_t kMenuChild = static_cast<std::size_t>(Part::MenuLabel) + 1;

}  // namespace

NoteAccess::NoteAccess(tk::Form& note, tk::PopupMenu& menu, Actions actions)
    : m_note(note), m_menu(menu), m_actions(std::move(actions)) {}

void NoteAccess::Describe(tk::Label* const (&labels)[kLabelCount]) {
    m_menuLabel = labels[static_cast<int>(Part::MenuLabel)];
    for (int i = 0; i < kLabelCount; ++i) {
        tk::AccessibleLabel element = Element(static_cast<Part>(i));
        element.label = labels[i];
        m_note.Reader().Add(std::move(element));
    }
}

tk::AccessibleLabel NoteAccess::Element(Part part) {
    switch (part) {
    case Part::MenuLabel:
        return {nullptr, ROLE_SYSTEM_BUTTONMENU, L"菜单", L"打开", L"F10", STATE_SYSTEM_HASPOPUP, [this] { ShowMenu(true); }};
    case Part::Stamp:  // named by its text ("创建于 ..."), whatever it says now
        return {nullptr, ROLE_SYSTEM_STATICTEXT, L"", L"", L"", STATE_SYSTEM_READONLY, nullptr};
    case Part::Minimise:
        return {nullptr, ROLE_SYSTEM_PUSHBUTTON, L"最小化", L"按下", L"", 0, m_actions.minimise};
    case Part::Close:
        return {nullptr, ROLE_SYSTEM_PUSHBUTTON, L"关闭", L"按下", L"Alt+F4", 0, m_actions.close};
    case Part::TextBox:
        break;
    }
    return {};
}

void NoteAccess::ShowMenu(bool belowLabel) {
    HWND hwnd = m_note.Handle();
    // The menu's owner must be foreground, or the menu does not close when the user
    // clicks elsewhere (a reader's action may come while another window is active).
    SetForegroundWindow(hwnd);
    m_note.Reader().SetState(kMenuChild, STATE_SYSTEM_HASPOPUP | STATE_SYSTEM_EXPANDED);
    if (belowLabel) {
        // Below the label's lower-left corner, as a menu bar's menu drops from its title;
        // from the label as it is laid out now.
        POINT corner{m_menuLabel->Rect().left, m_menuLabel->Rect().bottom};
        ClientToScreen(hwnd, &corner);
        m_menu.PopupAt(hwnd, corner);
    } else {
        m_menu.PopupAtPointer(hwnd);
    }
    if (!m_note.IsLoaded()) return;  // closed from outside while the menu was open
    m_note.Reader().SetState(kMenuChild, STATE_SYSTEM_HASPOPUP);
    // Typing goes on where it was, unless a command opened another window.
    if (GetActiveWindow() == hwnd) m_actions.restoreFocus();
}

bool NoteAccess::OnSysCommand(WPARAM command, LPARAM key) {
    switch (command & 0xFFF0) {
    case SC_KEYMENU:
        // F10, or Alt pressed and released alone (no key): the note menu, where a menu bar
        // would be; the note's system menu is never seen. Alt+Space still opens the system
        // menu and Alt with a letter still beeps. (Shift+F10 never comes here: the system
        // makes it the text box's context menu.)
        if (key != 0) return false;
        ShowMenu(true);
        return true;
    case SC_MINIMIZE:
        // The system menu's and the taskbar's minimise are the stroke's: they arm the
        // reminder, and with the hide mark set they hide the note, as the option says.
        m_actions.minimise();
        return true;
    }
    return false;
}

bool NoteAccess::OnKey(UINT key, bool inPicker) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    if (key == VK_TAB && ctrl) {
        NextNote(shift);
        return true;
    }
    // F6 moves between the text box and the shown pickers, as between a window's panes; in a
    // picker Tab does too (the text box keeps Tab for the text).
    if (key == VK_F6 || (key == VK_TAB && inPicker)) {
        NextControl(shift);
        return true;
    }
    return false;
}

// The shown controls that take the keyboard, in their order on the note: the text box,
// then the pickers while they show.
void NoteAccess::NextControl(bool back) {
    std::vector<HWND> ring;
    for (HWND c = GetWindow(m_note.Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c) && (GetWindowLongPtrW(c, GWL_STYLE) & WS_TABSTOP)) ring.push_back(c);
    const std::size_t n = ring.size();
    if (n == 0) return;
    const std::size_t at = std::find(ring.begin(), ring.end(), GetFocus()) - ring.begin();
    SetFocus(ring[(at % n + (back ? n - 1 : 1)) % n]);
}

// Ctrl+Tab: the next note on the screen, in the order they were made; Ctrl+Shift+Tab the
// one before. Hidden and minimised notes are skipped, as the user cannot see them.
void NoteAccess::NextNote(bool back) {
    const int count = tk::LoadedForms::Count();
    const int step = back ? count - 1 : 1;
    int self = 0;
    while (self < count && tk::LoadedForms::Item(self) != &m_note) ++self;
    for (int i = (self + step) % count; i != self; i = (i + step) % count) {
        tk::Form* other = tk::LoadedForms::Item(i);
        if (typeid(*other) == typeid(m_note) && other->IsVisible() && !other->IsMinimised()) {
            other->Show();
            break;
        }
    }
}

}  // namespace note
