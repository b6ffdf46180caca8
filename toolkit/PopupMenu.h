#pragma once
// A menu used only as a popup: items with captions, check marks and click handlers.
#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "toolkit/Gdi.h"

namespace tk {

class PopupMenu {
public:
    PopupMenu();
    ~PopupMenu();

    void AddItem(UINT id, const std::wstring& caption, std::function<void()> onClick, bool checked = false);
    void AddSeparator();
    bool Checked(UINT id) const;
    void SetChecked(UINT id, bool checked);
    // Pops the menu up at the mouse position with the default flags (left edge at the
    // pointer, items chosen with the left button). Returns once it has closed, after the
    // chosen item's click handler ran.
    void PopupAtPointer(HWND owner);
    // The same with the menu's top-left corner at a screen point.
    void PopupAt(HWND owner, POINT screen);
    HMENU Handle() const { return m_menu.Get(); }
    // Runs an item's click handler as if it had been chosen.
    void Click(UINT id);

private:
    Owned<HMENU, DestroyMenu> m_menu;
    std::map<UINT, std::function<void()>> m_handlers;
};

}  // namespace tk
