#pragma once
// One desktop note: a yellow card cut from the skin picture, with a text box, a menu label,
// the creation stamp, minimise and close marks and a popup menu. The note keeps the layout,
// the menu's state and the text; its reminder is an object of its own (NoteReminder) that
// tells the note when it is due. Every note is independent; the shell keeps no reference to
// it, LoadedForms is the only list of open notes.
#include <string>

#include "note/CardParts.h"
#include "note/NoteAccess.h"
#include "note/NoteFileCommands.h"
#include "note/NoteReminder.h"
#include "toolkit/Form.h"
#include "toolkit/Gdi.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/TextBox.h"

class frmNote : public tk::Form {
public:
    // The items of the note menu mnopt.
    enum MenuId : UINT {
        mnuOpenNotes = 201,
        mnuSaveNotes,
        mnuSetDateTime,
        mnuHelpForGluma,
        mnuStayOnTop,
        mnuHideMin,
    };
    // Child controls.
    enum ControlId : int { idTxtNote = 1, idMyDate, idMyTime };

    // Layout of the card, in client pixels at 96 dpi; Dpi() scales it.
    static constexpr int kClientWidth = 284;     // as designed; the skin makes it 284 x 210
    static constexpr int kClientHeight = 211;
    static constexpr int kTextHeight = 153;      // as designed
    static constexpr int kTextHeightWithPickers = 105;
    static constexpr int kTextHeightWithoutPickers = 129;

    // The parts of the card that the user points at.
    using Part = note::Part;

    frmNote();

    // Where a part lies, in client pixels at the note's current DPI: the one place that
    // places them (drawing, hit areas and the text box all use it).
    RECT PartRect(Part part) const;

    // The creation stamp, set once by the command that made the note.
    void SetCreationStamp(std::wstring text);

    // The note's text and its menu, whose items are the note's commands.
    tk::TextBox& txtNote() { return m_txtNote; }
    tk::PopupMenu& mnopt() { return m_mnopt; }

    void mnuOpenNotes_Click();
    void mnuSaveNotes_Click();

protected:
    void OnCreate() override;
    void OnLoad() override;
    void OnMouseDown(int button) override;
    void OnTimer(UINT_PTR id) override;
    void OnDpiChanged() override;
    void OnColoursChanged() override { ApplyColours(); }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateLabelsAndLines();
    void CreateControls();
    void BuildMenu();
    void LayOut();
    void Shape();
    void DragWindow();
    void RestoreFocus();
    void ReminderDue();
    void ApplyColours();  // the card, its labels and marks and the text box in the scheme's colours

    // Event handlers.
    void Label1_Click();
    void lblClose_Click();
    void lblMinimise_Click();
    void mnuSetDateTime_Click();
    void mnuHelpForGluma_Click();
    void mnuStayOnTop_Click();
    void mnuHideMin_Click();

    tk::SharedBitmap m_skin;                  // drawn in the card's colours as the background picture
    tk::ScopedGdiObject<HFONT> m_font;        // text box and labels, at the note's DPI
    tk::ScopedGdiObject<HFONT> m_pickerFont;  // the reminder's two pickers
    tk::TextBox m_txtNote;
    note::NoteReminder m_reminder;
    tk::PopupMenu m_mnopt;
    note::NoteFileCommands m_files;  // the file dialog and the encoding of the file opened last
    tk::Label* m_partLabels[note::kLabelCount] = {};  // by Part; the form owns them
    int m_textHeight = kTextHeight;    // at 96 dpi: shorter while the pickers show
    HWND m_lastFocus = nullptr;        // the control that had the keyboard when the note was left
    note::NoteAccess m_access;         // the keyboard's and the screen reader's ways in
};
