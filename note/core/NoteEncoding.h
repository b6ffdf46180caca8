#pragma once
// Which encoding a note file's bytes are in, decided from the bytes alone, and the
// platform-free parts of reading and writing them: the byte-order marks and UTF-16 in
// either byte order. The ANSI code page and UTF-8 conversions are the platform's.
#include <cstddef>
#include <functional>
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

// Whether bytes are valid text in the ANSI code page, asked only when that code page is a
// double-byte one (936, 950, 932, 949); empty for any other code page (65001 included).
using ValidInDoubleByteAnsi = std::function<bool(std::string_view bytes)>;

// UTF-8 with its byte-order mark; UTF-16 with its byte-order mark (a stray last byte is
// then an invalid one, not a reason to guess another encoding); valid UTF-8 holding at least one multi-byte sequence; else ANSI. Pure ASCII is
// ANSI: it reads the same either way, and a note that never opened a file saves ANSI too.
// Short Chinese text in a double-byte code page is often valid UTF-8 as well ("学习" in GBK,
// D1 A7 CF B0, reads as the two letters "ѧϰ"). Bytes valid in both are taken as UTF-8
// only when that reading looks like writing: a sequence of three or four bytes (CJK and
// most symbols; GBK pairs rarely line up so), or, with two-byte sequences alone, when every
// word holding a non-ASCII letter is written in one alphabet and is at least three letters
// long or also holds ASCII letters ("привет", "café"). Anything else is ANSI ("ѧϰ" mixes
// Cyrillic and Greek, "лл" is two letters).
NoteEncoding DetectEncoding(std::string_view bytes, const ValidInDoubleByteAnsi& validInAnsi = {});

// Whether text, valid UTF-8 made of ASCII and two-byte sequences only, reads as words
// (the second half of the rule above).
bool LooksLikeUtf8Words(std::string_view bytes);

// The double-byte ANSI code pages: Simplified and Traditional Chinese, Japanese, Korean.
constexpr bool IsDoubleByteCodePage(unsigned codePage) {
    return codePage == 936 || codePage == 950 || codePage == 932 || codePage == 949;
}

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
