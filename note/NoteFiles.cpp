// The note menu's file commands: save the note's text to a note file, open a note file
// into the note. The note's own file dialog gives the name; the file work is in NoteFile.
#include <string>

#include "note/NoteFile.h"
#include "note/frmNote.h"
#include "toolkit/MessageBox.h"
#include "toolkit/core/Digits.h"

namespace {

// False when the user chose no file. A dialog the system could not show is said so (a
// cancel is not), so a command never does nothing without a word.
bool Chose(const tk::FileDialog& dialog, bool chosen, HWND owner) {
    if (!chosen && dialog.Failure() != 0)
        tk::ShowMessage(L"无法显示文件对话框（错误代码 " + tk::Decimal<wchar_t>(dialog.Failure()) + L"）。",
                        MB_OK | MB_ICONERROR, owner);
    return chosen;
}

}  // namespace

void frmNote::mnuOpenNotes_Click() {
    tk::FileDialog& dialog = dlgForNotesFile();
    if (!Chose(dialog, dialog.ShowOpen(Handle()), Handle())) return;  // the note stays as it was
    note::OpenNoteFileInto(txtNote(), dialog.FileName(), note::MessageBoxOf(Handle()));
}

void frmNote::mnuSaveNotes_Click() {
    tk::FileDialog& dialog = dlgForNotesFile();
    if (!Chose(dialog, dialog.ShowSave(Handle()), Handle())) return;  // nothing is written
    note::SaveNoteFileFrom(txtNote(), dialog.FileName(), note::MessageBoxOf(Handle()));
}
