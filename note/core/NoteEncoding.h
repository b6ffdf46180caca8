#pragma once
// Which encoding a note file's bytes are in, decided from the bytes alone, and the
// platform-free parts of reading and writing them: the byte-order marks and UTF-16 in
// either byte order. The ANSI code page and UTF-8 conversions are the platform's.
#include <cstddef>
#include <string>
#include <string_view>

namespace note {

enum class Encoding : unsigned char { Ansi, Utf8, Utf16LE, Utf16BE };

// What a note remembers of the file its text came from, so a later save writes the same.
struct NoteEncoding {
    Encoding kind = Encoding::Ansi;  // a note that never opened a file saves ANSI
    bool bom = false;                // the file began with a byte-order mark
    bool operator==(const NoteEncoding& o) const { return kind == o.kind && bom == o.bom; }
};

// UTF-8 with its byte-order mark, or valid UTF-8 holding at least one multi-byte sequence;
// UTF-16 with its byte-order mark (and a whole number of units); else ANSI. Pure ASCII is
// ANSI: it reads the same either way, and a note that never opened a file saves ANSI too.
NoteEncoding DetectEncoding(std::string_view bytes);

// Strict UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF); *multiByte tells
// whether a sequence of more than one byte was seen.
bool IsValidUtf8(std::string_view bytes, bool* multiByte = nullptr);

// The byte-order mark that the encoding begins a file with (empty when bom is false).
std::string_view ByteOrderMark(NoteEncoding encoding);

// UTF-16 bytes (after the mark) as code units, and code units appended as bytes. Char is
// any 16-bit character type (wchar_t on Windows). Lone surrogates pass unchanged.
template <class Char>
std::basic_string<Char> Utf16FromBytes(std::string_view bytes, bool bigEndian) {
    std::basic_string<Char> units(bytes.size() / 2, Char(0));
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    for (std::size_t i = 0; i < units.size(); ++i) {
        unsigned first = b[2 * i], second = b[2 * i + 1];
        units[i] = static_cast<Char>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return units;
}

template <class Char>
void AppendUtf16Bytes(std::basic_string_view<Char> units, bool bigEndian, std::string& bytes) {
    for (Char c : units) {
        auto unit = static_cast<unsigned>(c) & 0xFFFFu;
        char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
}

}  // namespace note
