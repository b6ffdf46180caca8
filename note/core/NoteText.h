#pragma once
// The reading rule of note files, on the file's characters once they are decoded (so it
// holds alike for the ANSI code page, UTF-8 and UTF-16): a line ends at CR LF, at CR alone
// or at LF alone (files written by other editors use all three); the terminator is not part
// of the line, and one at the very end of the file does not start another, empty line. The
// note's text is the lines joined with CR LF, the text box's own line break, with none after
// the last line. Saving writes the text, then CR LF. So opening a saved note gives back
// exactly the text that was saved, and saving an opened file gives back the same characters
// whenever the file used CR LF throughout and ended in it.
#include <cstddef>
#include <string>

namespace note {

// The text that opening gives, made from the file's characters. Works in place (the
// common case of CR LF throughout costs no copy); only lone terminators need a new string.
template <class Char>
std::basic_string<Char> NoteTextFromFileText(std::basic_string<Char> file) {
    const Char cr = Char('\r'), lf = Char('\n');
    const std::size_t n = file.size();
    if (n == 0) return file;
    const bool endsWithBreak = file[n - 1] == cr || file[n - 1] == lf;
    std::size_t lone = 0;
    for (std::size_t i = 0; i < n; ++i) {
        if (file[i] == cr && (i + 1 == n || file[i + 1] != lf)) ++lone;
        if (file[i] == lf && (i == 0 || file[i - 1] != cr)) ++lone;
    }
    if (lone != 0) {
        std::basic_string<Char> text;
        text.reserve(n + lone);
        for (std::size_t i = 0; i < n; ++i) {
            if (file[i] != cr && file[i] != lf) {
                text += file[i];
                continue;
            }
            text += cr;
            text += lf;
            if (file[i] == cr && i + 1 < n && file[i + 1] == lf) ++i;
        }
        file.swap(text);
    }
    if (endsWithBreak) file.resize(file.size() - 2);  // now always a CR LF
    return file;
}

// Whether the text holds a NUL, which a text box would take as the end of its text.
template <class Char>
bool ContainsNul(const std::basic_string<Char>& text) {
    return text.find(Char(0)) != std::basic_string<Char>::npos;
}

}  // namespace note
