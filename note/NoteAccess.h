#pragma once
// A note for the keyboard and for screen readers: what readers are told of the labels drawn
// on the card, the note menu opened by a click, by the keyboard (F10, Alt alone) or by a
// reader, the system's own minimise, F6 between the text box and the pickers, Ctrl+Tab from
// note to note. The note owns one and hands it what it needs; the note's own handlers are
// reached only through the actions it was given.
#include <windows.h>

#include <functional>

#include "note/CardParts.h"
#include "toolkit/Accessible.h"

namespace tk {
class Form;
class PopupMenu;
}  // namespace tk

namespace note {

class NoteAccess {
public:
    struct Actions {
        std::function<void()> minimise;      // what the minimise stroke does
        std::function<void()> close;         // what the close cross does
        std::function<void()> restoreFocus;  // the keyboard back where it was on the note
    };

    NoteAccess(tk::Form& note, tk::PopupMenu& menu, Actions actions);
    NoteAccess(const NoteAccess&) = delete;
    NoteAccess& operator=(const NoteAccess&) = delete;

    // Tells readers of the note's labels, given in the order of the parts.
    void Describe(tk::Label* const (&labels)[kLabelCount]);
    // The note menu, below its label (keyboard, reader) or at the pointer (a click).
    void ShowMenu(bool belowLabel);
    // The note's WM_SYSCOMMAND; true when taken.
    bool OnSysCommand(WPARAM command, LPARAM key);
    // A key pressed in the text box or in a picker; true when taken.
    bool OnKey(UINT key, bool inPicker);

private:
    tk::AccessibleLabel Element(Part part);  // what readers are told of a part's label
    void NextControl(bool back);
    void NextNote(bool back);

    tk::Form& m_note;      // we don't own it: the note owns us
    tk::PopupMenu& m_menu;  // the note's
    Actions m_actions;
    const tk::Label* m_menuLabel = nullptr;  // the note's
};

}  // namespace note
