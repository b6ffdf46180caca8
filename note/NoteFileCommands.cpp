#include "note/NoteFileCommands.h"

#include <new>

#include "note/NoteFileIO.h"
#include "toolkit/TextFile.h"
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
    NoteFileText file;
    DWORD error = ReadNoteFile(path, maxChars, file);
    if (!error && file.invalid && !AgreesToOpenUndecodable(tell, path, file.encoding.kind)) return false;
    if (!error && !replaceText(file.text)) error = kTextBoxRefused;  // the text box keeps its old text then
    if (error) {
        TellOpenFailed(tell, path, error, maxChars);
        return false;
    }
    m_encoding = file.encoding;
    return true;
}

bool NoteFileCommands::SaveTo(const std::wstring& path, const GetText& text, const Messenger& tell) {
    tk::WaitCursor wait;
    tk::SaveOutcome outcome;
    try {
        EncodedNote encoded = Encode(text(), m_encoding, kLostCharactersShown + 1);
        if (!encoded.lost.empty() && !AgreesToLose(tell, path, m_encoding.kind, encoded.lost)) return false;
        outcome = tk::ReplaceWholeFile(path, encoded.bytes);
    } catch (const std::bad_alloc&) {
        outcome = tk::SaveFailed(ERROR_NOT_ENOUGH_MEMORY);
    }
    TellSaveOutcome(tell, path, outcome);
    return outcome.state == tk::SaveOutcome::State::Saved;
}

}  // namespace note
