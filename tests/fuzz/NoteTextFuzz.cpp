// The note-file reading rule on any bytes: lines never hold a terminator, the text is the
// lines joined with CR LF, saving and opening the text gives it back, and a file that
// used CR LF throughout and ended in it comes back byte for byte.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "note/core/NoteText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const auto lines = note::SplitNoteFileLines(file);
    std::string joined;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find_first_of("\r\n") != std::string::npos) std::abort();
        if (i) joined += "\r\n";
        joined += lines[i];
    }
    const std::string text = note::NoteTextFromFileBytes(file);
    if (text != joined) std::abort();
    if (file.empty() != lines.empty()) std::abort();

    const std::string saved = note::NoteFileBytesFromText(text);
    if (saved.size() != text.size() + 2 || saved.compare(0, text.size(), text) != 0) std::abort();
    if (note::NoteTextFromFileBytes(saved) != text) std::abort();

    // Every CR of the file starts a CR LF and every LF ends one, and the file ends in CR LF:
    // then it is exactly what saving its text writes.
    bool crlfOnly = size >= 2 && file.substr(size - 2) == "\r\n";
    for (size_t i = 0; crlfOnly && i < size; ++i) {
        if (file[i] == '\r' && (i + 1 == size || file[i + 1] != '\n')) crlfOnly = false;
        if (file[i] == '\n' && (i == 0 || file[i - 1] != '\r')) crlfOnly = false;
    }
    if (crlfOnly && saved != file) std::abort();

    if (note::ContainsNul(file) != (file.find('\0') != std::string_view::npos)) std::abort();
    return 0;
}
