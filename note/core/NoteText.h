#pragma once
// The note file: the note's text, then CR LF, in the ANSI code page, nothing else. These
// functions work on the bytes; the conversion to and from the code page happens around
// them.
//
// Reading a file: a line ends at CR LF, at CR alone or at LF alone (files written by other
// editors use all three); the terminator is not part of the line, and one at the very end
// of the file does not start another, empty line. The note's text is the lines joined with
// CR LF, the text box's own line break, with none after the last line. So opening a saved
// note gives back exactly the text that was saved, and saving an opened file gives back
// the same bytes whenever the file ended in CR LF and used CR LF throughout.
//
// Splitting the bytes before the conversion is safe for the double-byte code pages: in
// code page 936 (GBK) a trail byte is 0x40..0xFE, so the bytes 0x00, 0x0A and 0x0D only
// ever stand for themselves.
#include <string>
#include <string_view>
#include <vector>

namespace note {

// The lines of a note file, without their terminators; an empty file has no lines.
std::vector<std::string> SplitNoteFileLines(std::string_view bytes);

// The text that opening a note file gives: its lines joined with CR LF.
std::string NoteTextFromFileBytes(std::string_view bytes);

// The bytes that saving a note writes: its text, then CR LF.
std::string NoteFileBytesFromText(std::string_view text);

// Whether the bytes hold a NUL, which a text box would take as the end of its text.
bool ContainsNul(std::string_view bytes);

}  // namespace note
