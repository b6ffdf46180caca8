#pragma once
// Reading a note file into a note's text and writing a note's text as a note file: text in,
// text out, no window. The file's encoding is found from its bytes (UTF-8, UTF-16 with its
// byte-order mark, else the ANSI code page) and a save writes the encoding it is given, so
// open -> save keeps the bytes. Every failure is told to the user (which file, and why) and
// loses nothing: a failed open gives no text; a failed save leaves the file as it was.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "note/core/NoteEncoding.h"

namespace note {

// Shows a message to the user and returns the button chosen (IDOK, IDCANCEL, ...). The note
// window gives a message box of its own; tests give one that answers by itself.
using Messenger = std::function<int(const std::wstring& text, UINT flags)>;

// Files larger than this are not opened at all: their text, converted and in the text box,
// would take several times the size in memory.
constexpr std::size_t kMaxNoteFileBytes = std::size_t{64} << 20;

struct NoteFileText {
    std::wstring text;      // the lines joined with CR LF
    NoteEncoding encoding;  // what the bytes were in
};

// The text the note file at path gives a note. Nothing, after telling the user why, when
// the file cannot be read, holds NUL characters (it is not text), or gives more than
// maxChars characters; nothing either when some bytes are invalid in the file's encoding
// and the user, warned that they cannot be shown, cancels.
std::optional<NoteFileText> ReadNoteFile(const std::wstring& path, std::size_t maxChars,
                                         const Messenger& tell);

// Writes text as the note file at path: in the encoding (with its byte-order mark if it
// has one), then CR LF. When the encoding cannot hold some of its characters, asks first
// and writes only if the user agrees. Returns true when the file was written.
bool WriteNoteFile(const std::wstring& path, const std::wstring& text, NoteEncoding encoding,
                   const Messenger& tell);

}  // namespace note
