#include "note/NoteFileIO.h"

#include <new>

#include "note/core/NoteText.h"
#include "toolkit/Ansi.h"
#include "toolkit/AnsiCheck.h"
#include "toolkit/TextFile.h"

namespace note {
namespace {

unsigned CodePageOf(Encoding encoding) { return encoding == Encoding::Utf8 ? CP_UTF8 : CP_ACP; }

bool IsUtf16(Encoding encoding) { return encoding == Encoding::Utf16LE || encoding == Encoding::Utf16BE; }

// The file's characters, its byte-order mark left out. *invalid: some bytes had no meaning
// in the encoding (in UTF-16, a stray last byte).
std::wstring Decode(std::string_view bytes, NoteEncoding encoding, bool* invalid) {
    bytes.remove_prefix(ByteOrderMark(encoding).size());
    if (!IsUtf16(encoding.kind)) return tk::FromCodePage(CodePageOf(encoding.kind), bytes, invalid);
    std::wstring text = Utf16FromBytes<wchar_t>(bytes, encoding.kind == Encoding::Utf16BE);
    if (bytes.size() % 2 != 0) text += L'\uFFFD', *invalid = true;
    return text;
}

// Under a double-byte ANSI code page, whether the system takes the bytes as valid there.
ValidInDoubleByteAnsi AnsiValidity() {
    if (!IsDoubleByteCodePage(GetACP())) return {};
    return [](std::string_view bytes) {
        bool invalid = false;
        tk::FromCodePage(CP_ACP, bytes, &invalid);
        return !invalid;
    };
}

// The opening proper. Each large buffer is let go as soon as the next one is made, so at
// most two of them are alive at a time, and the reading rule works in place.
DWORD ReadText(const std::wstring& path, std::size_t maxChars, NoteFileText& file) {
    // No encoding needs more than four bytes for one character of the text, and the mark
    // and last line break give none, so a larger file cannot fit: it is not even read.
    std::size_t maxBytes = kMaxNoteFileBytes;
    if (maxChars < (kMaxNoteFileBytes - 8) / 4) maxBytes = maxChars * 4 + 8;
    std::string bytes;
    if (DWORD error = tk::ReadWholeFile(path, maxBytes, bytes)) return error;
    file.encoding = DetectEncoding(bytes, AnsiValidity());
    std::wstring text = Decode(bytes, file.encoding, &file.invalid);
    std::string().swap(bytes);
    if (ContainsNul(text)) return kNotText;
    text = NoteTextFromFileText(std::move(text));
    if (text.size() > maxChars) return ERROR_FILE_TOO_LARGE;
    file.text.swap(text);
    return ERROR_SUCCESS;
}

}  // namespace

DWORD ReadNoteFile(const std::wstring& path, std::size_t maxChars, NoteFileText& file) {
    try {
        return ReadText(path, maxChars, file);
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

EncodedNote Encode(const std::wstring& text, NoteEncoding encoding, std::size_t maxLost) {
    EncodedNote encoded;
    std::string& bytes = encoded.bytes;
    bytes.assign(ByteOrderMark(encoding));
    if (IsUtf16(encoding.kind)) {
        bool bigEndian = encoding.kind == Encoding::Utf16BE;
        bytes.reserve(bytes.size() + 2 * text.size() + 4);
        AppendUtf16Bytes<wchar_t>(text, bigEndian, bytes);
        AppendUtf16Bytes<wchar_t>(L"\r\n", bigEndian, bytes);
        return encoded;
    }
    const unsigned codePage = CodePageOf(encoding.kind);
    bool lossy = false;
    std::string converted = tk::ToCodePage(codePage, text, &lossy);
    if (lossy) encoded.lost = tk::CharactersNotIn(codePage, text, maxLost);
    if (bytes.empty()) bytes.swap(converted);
    else bytes += converted;
    bytes += "\r\n";
    return encoded;
}

}  // namespace note
