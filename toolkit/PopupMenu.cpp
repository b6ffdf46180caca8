#include "toolkit/PopupMenu.h"

namespace tk {

PopupMenu::PopupMenu() : m_menu(CreatePopupMenu()) {}

// Here, not in the header: one copy of the menu's and its handlers' freeing for the program.
PopupMenu::~PopupMenu() = default;

void PopupMenu::AddItem(UINT id, const std::wstring& caption, std::function<void()> onClick, bool checked) {
    AppendMenuW(m_menu.Get(), MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED), id, caption.c_str());
    m_handlers[id] = std::move(onClick);
}

void PopupMenu::AddSeparator() { AppendMenuW(m_menu.Get(), MF_SEPARATOR, 0, nullptr); }

bool PopupMenu::Checked(UINT id) const {
    return (GetMenuState(m_menu.Get(), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void PopupMenu::SetChecked(UINT id, bool checked) {
    CheckMenuItem(m_menu.Get(), id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void PopupMenu::PopupAtPointer(HWND owner) {
    POINT pt;
    GetCursorPos(&pt);
    PopupAt(owner, pt);
}

void PopupMenu::PopupAt(HWND owner, POINT pt) {
    // TPM_RETURNCMD: the choice comes back here, so the handler runs after the menu has
    // closed and before this call returns.
    UINT id = static_cast<UINT>(TrackPopupMenuEx(m_menu.Get(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD,
                                                 pt.x, pt.y, owner, nullptr));
    if (id) Click(id);
}

void PopupMenu::Click(UINT id) {
    auto it = m_handlers.find(id);
    if (it != m_handlers.end() && it->second) it->second();
}

}  // namespace tk
