#pragma once
// One desktop note: a yellow card cut from the skin picture, with a text box, a menu label,
// the creation stamp, minimise and close marks, a popup menu, and a reminder made of two
// pickers and a one-second timer. Every note is independent; the shell keeps no reference
// to it, LoadedForms is the only list of open notes.
#include <string>

#include "note/NoteFileCommands.h"
#include "note/core/ReminderRule.h"
#include "toolkit/DatePicker.h"
#include "toolkit/Form.h"
#include "toolkit/Gdi.h"
#include "toolkit/PopupMenu.h"
#include "toolkit/TextBox.h"
#include "toolkit/Timer.h"

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
    // Child controls and the timer.
    enum ControlId : int { idTxtNote = 1, idMyDate, idMyTime };
    enum TimerId : UINT_PTR { idTmrEvent = 1 };

    // Layout of the card, in client pixels.
    static constexpr int kClientWidth = 284;     // as designed; the skin makes it 284 x 210
    static constexpr int kClientHeight = 211;
    static constexpr int kTextHeight = 153;      // as designed
    static constexpr int kTextHeightWithPickers = 105;
    static constexpr int kTextHeightWithoutPickers = 129;

    frmNote();

    // The creation stamp, set once by the command that made the note.
    void SetCreationStamp(std::wstring text);

    // The parts of the note, as the note's own code and its tests reach them.
    tk::TextBox& txtNote() { return m_txtNote; }
    tk::DatePicker& myDate() { return m_myDate; }
    tk::DatePicker& myTime() { return m_myTime; }
    tk::Timer& tmrEvent() { return m_tmrEvent; }
    tk::PopupMenu& mnopt() { return m_mnopt; }
    tk::FileDialog& dlgForNotesFile() { return m_files.dlgForNotesFile(); }
    const tk::Label& Label1() const { return *m_Label1; }
    const tk::Label& labTime() const { return *m_labTime; }
    const tk::Label& lblMinimise() const { return *m_lblMinimise; }
    const tk::Label& lblClose() const { return *m_lblClose; }
    // The reminder time was changed and the reminder has not been armed since.
    bool TimeChanged() const { return m_bTimeChanged; }

    // Event handlers.
    void Label1_Click();
    void lblClose_Click();
    void lblMinimise_Click();
    void myTime_Change();
    void tmrEvent_Timer();
    void mnuOpenNotes_Click();
    void mnuSaveNotes_Click();
    void mnuSetDateTime_Click();
    void mnuHelpForGluma_Click();
    void mnuStayOnTop_Click();
    void mnuHideMin_Click();

protected:
    void OnCreate() override;
    void OnLoad() override;
    void OnMouseDown(int button, int shift, double x, double y) override;
    void OnTimer(UINT_PTR id) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateLabelsAndLines();
    void CreateControls();
    void BuildMenu();
    void DragWindow();
    void ArmReminder();
    void RestoreFocus();

    tk::ScopedGdiObject<HFONT> m_font;        // text box and labels
    tk::ScopedGdiObject<HFONT> m_pickerFont;  // the two pickers
    tk::TextBox m_txtNote;
    tk::DatePicker m_myDate;
    tk::DatePicker m_myTime;
    tk::Timer m_tmrEvent;
    tk::PopupMenu m_mnopt;
    note::NoteFileCommands m_files;  // the file dialog and the encoding of the file opened last
    // The labels belong to the form; we keep where they are.
    tk::Label* m_Label1 = nullptr;
    tk::Label* m_labTime = nullptr;
    tk::Label* m_lblMinimise = nullptr;
    tk::Label* m_lblClose = nullptr;
    HWND m_lastFocus = nullptr;  // the control that had the keyboard when the note was left

    bool m_bTimeChanged = false;
    // The previous reminder check, or the moment the reminder was armed: a minute that
    // passes between two checks (sleep, a blocked loop) is still caught.
    note::LocalTime m_previousCheck;
};
