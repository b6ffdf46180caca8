#pragma once
// The note menu's two file commands and what a note keeps for them between commands: its
// own file dialog dlgForNotesFile (which remembers the last name) and the encoding of the
// file its text last came from, which a later save writes back. The commands take and give
// text; the note window puts it into and takes it from its text box.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

#include "note/NoteFileMessages.h"
#include "note/core/NoteEncoding.h"
#include "toolkit/FileDialog.h"

namespace note {

class NoteFileCommands {
public:
    // Replaces the note's whole text in one step; false when the text box refused it.
    using ReplaceText = std::function<bool(const std::wstring& text)>;
    using GetText = std::function<std::wstring()>;

    // mnuOpenNotes: the open dialog, then the chosen file's text to replaceText (at most
    // maxChars characters, what the text box takes). Cancel, or a failure (told in the
    // note's message box), leaves the note as it was.
    void Open(HWND note, std::size_t maxChars, const ReplaceText& replaceText);
    // mnuSaveNotes: the save dialog, then the note's text written to the chosen file, after
    // asking when the encoding cannot hold some of its characters. The user is told of a
    // save that failed or left a temporary file behind.
    void Save(HWND note, const GetText& text);

    // The same once a file name is chosen; true when done.
    bool OpenFrom(const std::wstring& path, std::size_t maxChars, const ReplaceText& replaceText,
                  const Messenger& tell);
    bool SaveTo(const std::wstring& path, const GetText& text, const Messenger& tell);

    NoteEncoding Encoding() const { return m_encoding; }

private:
    tk::FileDialog m_dlgForNotesFile;  // shared by open and save
    NoteEncoding m_encoding;           // ANSI until a file is opened
};

}  // namespace note
