#include "note/core/NoteEncoding.h"

#include <algorithm>

namespace note {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view mark) {
    return bytes.substr(0, mark.size()) == mark;
}

// The length of the sequence that lead starts, and the range its second byte must lie in
// (which rules out overlong forms, surrogates and values above U+10FFFF); 0 when lead
// starts none.
std::size_t SequenceLength(unsigned lead, unsigned& low, unsigned& high) {
    low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) {
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
        return 4;
    }
    return 0;
}

// The alphabet of a character of a two-byte UTF-8 sequence (U+0080 to U+07FF) or of an
// ASCII letter; 0 for anything that is not a letter (digits, punctuation, symbols), which
// ends a word. Combining marks (U+0300 to U+036F) take the alphabet of the word they are in.
constexpr int kMark = -1;
int AlphabetOf(unsigned c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return 1;
    if (c < 0xC0 || c == 0xD7 || c == 0xF7) return 0;
    if (c < 0x2B0) return 1;  // Latin
    if (c < 0x300) return 0;  // modifier letters
    if (c < 0x370) return kMark;
    if (c < 0x400) return 2;  // Greek
    if (c < 0x530) return 3;  // Cyrillic
    if (c < 0x590) return 4;  // Armenian
    if (c < 0x600) return 5;  // Hebrew
    if (c < 0x700 || (c >= 0x750 && c < 0x780)) return 6;  // Arabic
    return 7 + static_cast<int>(c >> 6);  // Syriac, Thaana, N'Ko: each block its own
}

// One word as it is read: its alphabet (0 while it has none, -2 once it mixes two), its
// letters, and whether it holds an ASCII letter or a non-ASCII one.
struct Word {
    int alphabet = 0;
    std::size_t letters = 0;
    bool ascii = false, other = false;
    void Add(unsigned c, int alphabet_) {
        ++letters;
        (c < 0x80 ? ascii : other) = true;
        if (alphabet_ == kMark || alphabet == -2 || alphabet == alphabet_) return;
        alphabet = alphabet == 0 ? alphabet_ : -2;
    }
    bool Readable() const { return !other || (alphabet > 0 && (letters >= 3 || ascii)); }
};

}  // namespace

bool LooksLikeUtf8Words(std::string_view bytes) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    bool anyLetter = false;
    Word word;
    for (std::size_t i = 0; i <= bytes.size();) {
        unsigned c = 0;  // past the end: a separator that closes the last word
        if (i < bytes.size()) {
            c = b[i] < 0x80 ? b[i] : (b[i] & 0x1Fu) << 6 | (b[i + 1] & 0x3Fu);
            i += b[i] < 0x80 ? 1 : 2;
        } else {
            ++i;
        }
        int alphabet = AlphabetOf(c);
        if (alphabet != 0) {
            word.Add(c, alphabet);
            continue;
        }
        if (!word.Readable()) return false;
        anyLetter = anyLetter || word.other;
        word = Word();
    }
    return anyLetter;
}

bool IsValidUtf8(std::string_view bytes, bool* multiByte) {
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    bool seen = false;
    for (std::size_t i = 0; i < n;) {
        if (b[i] < 0x80) {
            ++i;
            continue;
        }
        unsigned low, high;
        std::size_t length = SequenceLength(b[i], low, high);
        if (length == 0 || n - i < length || b[i + 1] < low || b[i + 1] > high) return false;
        for (std::size_t k = 2; k < length; ++k)
            if (b[i + k] < 0x80 || b[i + k] > 0xBF) return false;
        seen = true;
        i += length;
    }
    if (multiByte) *multiByte = seen;
    return true;
}

NoteEncoding DetectEncoding(std::string_view bytes, const ValidInDoubleByteAnsi& validInAnsi) {
    if (StartsWith(bytes, kUtf8Mark)) return {Encoding::Utf8, true};
    if (StartsWith(bytes, kUtf16LEMark)) return {Encoding::Utf16LE, true};
    if (StartsWith(bytes, kUtf16BEMark)) return {Encoding::Utf16BE, true};
    bool multiByte = false;
    if (!IsValidUtf8(bytes, &multiByte) || !multiByte) return {};
    const bool longSequence = std::any_of(bytes.begin(), bytes.end(),
                                          [](char c) { return static_cast<unsigned char>(c) >= 0xE0; });
    if (!validInAnsi || longSequence || LooksLikeUtf8Words(bytes) || !validInAnsi(bytes))
        return {Encoding::Utf8, false};
    return {};
}

std::string_view ByteOrderMark(NoteEncoding encoding) {
    if (!encoding.bom) return {};
    switch (encoding.kind) {
    case Encoding::Utf8: return kUtf8Mark;
    case Encoding::Utf16LE: return kUtf16LEMark;
    case Encoding::Utf16BE: return kUtf16BEMark;
    case Encoding::Ansi: break;
    }
    return {};
}

}  // namespace note
