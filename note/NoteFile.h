#pragma once
// Saving a note's text to a note file and reading one back: the file work behind the note
// menu's save and open commands, apart from the window. Every failure is told to the user
// (which file, and why) and loses nothing: a failed open gives no text, so the note stays
// as it was; a failed save leaves the file as it was.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tk {
class TextBox;
}

namespace note {

// Shows a message to the user and returns the button chosen (IDOK, IDCANCEL, ...). The note
// window gives a message box of its own; tests give one that answers by itself.
using Messenger = std::function<int(const std::wstring& text, UINT flags)>;

// Files larger than this are not opened at all: their text, converted and in the text box,
// would take several times the size in memory.
constexpr std::size_t kMaxNoteFileBytes = std::size_t{64} << 20;

// The text that the note file at path gives a note (its lines joined with CR LF, converted
// from the ANSI code page). Nothing, after telling the user why, when the file cannot be
// read, holds NUL bytes (it is not text), or gives more than maxChars characters.
std::optional<std::wstring> ReadNoteFile(const std::wstring& path, std::size_t maxChars,
                                         const Messenger& tell);

// Writes text as the note file at path: converted to the ANSI code page, then CR LF. When
// the code page cannot hold some of its characters, asks first and writes only if the
// user agrees. Returns true when the file was written.
bool WriteNoteFile(const std::wstring& path, std::wstring text, const Messenger& tell);

// The note menu's two commands once the dialog has given a file name. Open replaces the
// whole text of the note's text box in one step, or changes nothing; save writes the
// text box's text. Both return true when they did so.
bool OpenNoteFileInto(tk::TextBox& txtNote, const std::wstring& path, const Messenger& tell);
bool SaveNoteFileFrom(const tk::TextBox& txtNote, const std::wstring& path, const Messenger& tell);

// The note's own message box: captioned GlumaNote, owned by the note window.
Messenger MessageBoxOf(HWND note);

}  // namespace note
