#pragma once
// Reading a note file into a note's text and writing a note's text as a note file: text in,
// bytes out and back, no window and no word to the user (the file commands ask and tell).
// The file's encoding is found from its bytes (UTF-8, UTF-16 with its byte-order mark,
// else the ANSI code page) and a save writes the encoding it is given, so open -> save
// keeps the bytes.
#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "note/core/NoteEncoding.h"

namespace note {

// Files larger than this are not opened at all: their text, converted and in the text box,
// would take several times the size in memory.
constexpr std::size_t kMaxNoteFileBytes = std::size_t{64} << 20;

// Reasons the program finds itself, without a system error code of their own.
constexpr DWORD kNotText = 0xE0000001;
constexpr DWORD kTextBoxRefused = 0xE0000002;

struct NoteFileText {
    std::wstring text;      // the lines joined with CR LF
    NoteEncoding encoding;  // what the bytes were in
    bool invalid = false;   // some bytes had no meaning in it and show as U+FFFD
};

// The text the note file at path gives a note, or why there is none: the file cannot be
// read, holds NUL characters (kNotText), or gives more than maxChars characters
// (ERROR_FILE_TOO_LARGE). Returns ERROR_SUCCESS or the reason.
DWORD ReadNoteFile(const std::wstring& path, std::size_t maxChars, NoteFileText& file);

// A note's text as a file's bytes: the encoding's byte-order mark if it has one, the text,
// then CR LF; and the distinct characters the encoding cannot hold (at most maxLost of
// them), which the bytes carry as "?" or U+FFFD.
struct EncodedNote {
    std::string bytes;
    std::vector<std::wstring> lost;
};
EncodedNote Encode(const std::wstring& text, NoteEncoding encoding, std::size_t maxLost);

}  // namespace note
