// The reading rule and the choice of encoding on any bytes: the text is the file's lines
// (cut by a plain reference) joined with CR LF, saving and opening it gives it back, and
// what is taken for UTF-8 or UTF-16 really is (but for a stray last byte of UTF-16).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "note/core/NoteEncoding.h"
#include "note/core/NoteText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    std::string joined;  // a plain reference: each line, then CR LF unless it ends the file
    for (size_t i = 0; i < size; ++i) {
        bool crlf = file[i] == '\r' && i + 1 < size && file[i + 1] == '\n';
        if (file[i] == '\r' || file[i] == '\n') joined += i + 1 + crlf < size ? "\r\n" : "";
        else joined += file[i];
        i += crlf;
    }
    const std::string text = note::NoteTextFromFileText(file);
    if (text != joined || note::NoteTextFromFileText(text + "\r\n") != text) std::abort();

    const note::NoteEncoding e = note::DetectEncoding(file);
    if (e.kind == note::Encoding::Utf8 && !e.bom && !note::IsValidUtf8(file)) std::abort();
    if (e.kind == note::Encoding::Utf16LE || e.kind == note::Encoding::Utf16BE) {
        const bool big = e.kind == note::Encoding::Utf16BE;
        std::string back(note::ByteOrderMark(e));
        note::AppendUtf16Bytes<char16_t>(note::Utf16FromBytes<char16_t>(file.substr(2), big), big, back);
        if (back != file.substr(0, file.size() / 2 * 2)) std::abort();  // a stray last byte is no unit
    }
    return 0;
}
