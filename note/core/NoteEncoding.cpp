#include "note/core/NoteEncoding.h"

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

}  // namespace

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

NoteEncoding DetectEncoding(std::string_view bytes) {
    if (StartsWith(bytes, kUtf8Mark)) return {Encoding::Utf8, true};
    if (bytes.size() % 2 == 0 && StartsWith(bytes, kUtf16LEMark)) return {Encoding::Utf16LE, true};
    if (bytes.size() % 2 == 0 && StartsWith(bytes, kUtf16BEMark)) return {Encoding::Utf16BE, true};
    bool multiByte = false;
    if (IsValidUtf8(bytes, &multiByte) && multiByte) return {Encoding::Utf8, false};
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
