#include "note/NoteFileCommands.h"

#include <new>
#include <optional>

#include "note/NoteFileMessages.h"
#include "toolkit/WaitCursor.h"

namespace note {
namespace {

// False when the user chose no file. A dialog the system could not show is said so (a
// cancel is not), so a command never does nothing without a word.
bool Chose(const tk::FileDialog& dialog, bool chosen, HWND note) {
    if (!chosen && dialog.Failure() != 0) TellDialogFailed(note, dialog.Failure());
    return chosen;
}

}  // namespace

void NoteFileCommands::Open(HWND note, std::size_t maxChars, const ReplaceText& replaceText) {
    if (!Chose(m_dlgForNotesFile, m_dlgForNotesFile.ShowOpen(note), note)) return;
    OpenFrom(m_dlgForNotesFile.FileName(), maxChars, replaceText, MessageBoxOf(note));
}

void NoteFileCommands::Save(HWND note, const GetText& text) {
    if (!Chose(m_dlgForNotesFile, m_dlgForNotesFile.ShowSave(note), note)) return;
    SaveTo(m_dlgForNotesFile.FileName(), text, MessageBoxOf(note));
}

bool NoteFileCommands::OpenFrom(const std::wstring& path, std::size_t maxChars,
                                const ReplaceText& replaceText, const Messenger& tell) {
    tk::WaitCursor wait;  // a long file takes a while to lay out in the text box
    std::optional<NoteFileText> file = ReadNoteFile(path, maxChars, tell);
    if (!file) return false;
    if (!replaceText(file->text)) {  // the text box keeps its old text then
        TellOpenFailed(tell, path, kTextBoxRefused, maxChars);
        return false;
    }
    m_encoding = file->encoding;
    return true;
}

bool NoteFileCommands::SaveTo(const std::wstring& path, const GetText& text, const Messenger& tell) {
    tk::WaitCursor wait;
    std::wstring current;
    try {
        current = text();
    } catch (const std::bad_alloc&) {
        TellSaveFailed(tell, path, ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    return WriteNoteFile(path, current, m_encoding, tell);
}

}  // namespace note
