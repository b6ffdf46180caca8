// A note for the keyboard and for screen readers: what readers are told of the labels drawn
// on the card, the note menu opened from the keyboard, the system's own minimise, and
// F6 between the text box and the pickers, Ctrl+Tab from note to note.
#include <oleacc.h>

#include <algorithm>
#include <vector>

#include "note/frmNote.h"

#include "toolkit/LoadedForms.h"

namespace {

// The note's labels, in the order the note adds them.
enum : std::size_t { kMenuLabel, kStampLabel, kMinimiseLabel, kCloseLabel };
// The menu label's number among the note's accessible children (they count from 1).
constexpr std::size_t kMenuChild = kMenuLabel + 1;

}  // namespace

void frmNote::DescribeForReaders() {
    const auto& labels = Labels();
    m_access.Add({labels[kMenuLabel].get(), ROLE_SYSTEM_BUTTONMENU, L"菜单", L"打开", L"F10", STATE_SYSTEM_HASPOPUP,
                  [this] { ShowMenu(true); }});
    // The stamp is named by its text ("创建于 ..."), whatever it says now.
    m_access.Add({labels[kStampLabel].get(), ROLE_SYSTEM_STATICTEXT, L"", L"", L"", STATE_SYSTEM_READONLY, nullptr});
    m_access.Add({labels[kMinimiseLabel].get(), ROLE_SYSTEM_PUSHBUTTON, L"最小化", L"按下", L"", 0,
                  [this] { lblMinimise_Click(); }});
    m_access.Add({labels[kCloseLabel].get(), ROLE_SYSTEM_PUSHBUTTON, L"关闭", L"按下", L"Alt+F4", 0,
                  [this] { lblClose_Click(); }});
}

void frmNote::ShowMenu(bool belowLabel) {
    // The menu's owner must be foreground, or the menu does not close when the user
    // clicks elsewhere (a reader's action may come while another window is active).
    SetForegroundWindow(Handle());
    m_access.SetState(kMenuChild, STATE_SYSTEM_HASPOPUP | STATE_SYSTEM_EXPANDED);
    if (belowLabel) {
        // Below the label's lower-left corner, as a menu bar's menu drops from its title;
        // from the label as it is laid out now.
        const RECT& label = Labels()[kMenuLabel]->Rect();
        POINT corner{label.left, label.bottom};
        ClientToScreen(Handle(), &corner);
        m_mnopt.PopupAt(Handle(), corner);
    } else {
        m_mnopt.PopupAtPointer(Handle());
    }
    if (!IsLoaded()) return;  // closed from outside while the menu was open
    m_access.SetState(kMenuChild, STATE_SYSTEM_HASPOPUP);
    // Typing goes on where it was, unless a command opened another window.
    if (GetActiveWindow() == Handle()) RestoreFocus();
}

bool frmNote::OnSysCommand(WPARAM command, LPARAM key) {
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
        lblMinimise_Click();
        return true;
    }
    return false;
}

bool frmNote::OnKey(UINT key) {
    const bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    if (key == VK_TAB && ctrl) {
        NextNote(shift);
        return true;
    }
    // F6 moves between the text box and the shown pickers, as between a window's panes; in a
    // picker Tab does too (the text box keeps Tab for the text).
    if (key == VK_F6 || (key == VK_TAB && GetFocus() != m_txtNote.Handle())) {
        NextControl(shift);
        return true;
    }
    return false;
}

void frmNote::NextControl(bool back) {
    std::vector<HWND> ring{m_txtNote.Handle()};
    for (int id : {idMyDate, idMyTime})
        if (HWND picker = GetDlgItem(Handle(), id); picker && IsWindowVisible(picker)) ring.push_back(picker);
    const std::size_t n = ring.size();
    const std::size_t at = std::find(ring.begin(), ring.end(), GetFocus()) - ring.begin();
    SetFocus(ring[(at % n + (back ? n - 1 : 1)) % n]);
}

// Ctrl+Tab: the next note on the screen, in the order they were made; Ctrl+Shift+Tab the
// one before. Hidden and minimised notes are skipped, as the user cannot see them.
void frmNote::NextNote(bool back) {
    const int count = tk::LoadedForms::Count();
    const int step = back ? count - 1 : 1;
    int self = 0;
    while (self < count && tk::LoadedForms::Item(self) != this) ++self;
    for (int i = (self + step) % count; i != self; i = (i + step) % count) {
        auto* note = dynamic_cast<frmNote*>(tk::LoadedForms::Item(i));
        if (note && note->IsVisible() && !note->IsMinimised()) {
            note->Show();
            break;
        }
    }
}
