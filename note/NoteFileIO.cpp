#include "note/NoteFileIO.h"

#include <new>

#include "note/NoteFileMessages.h"
#include "note/core/NoteText.h"
#include "toolkit/Ansi.h"
#include "toolkit/AnsiCheck.h"
#include "toolkit/TextFile.h"

namespace note {
namespace {

unsigned CodePageOf(Encoding encoding) { return encoding == Encoding::Utf8 ? CP_UTF8 : CP_ACP; }

bool IsUtf16(Encoding encoding) { return encoding == Encoding::Utf16LE || encoding == Encoding::Utf16BE; }

// The file's characters, its byte-order mark left out. *invalid: some bytes had no meaning
// in the encoding (UTF-16 has none such).
std::wstring Decode(std::string_view bytes, NoteEncoding encoding, bool* invalid) {
    bytes.remove_prefix(ByteOrderMark(encoding).size());
    if (IsUtf16(encoding.kind))
        return Utf16FromBytes<wchar_t>(bytes, encoding.kind == Encoding::Utf16BE);
    return tk::FromCodePage(CodePageOf(encoding.kind), bytes, invalid);
}

// The opening proper; returns ERROR_SUCCESS or why it failed. Each large buffer is let go
// as soon as the next one is made, so at most two of them are alive at a time, and the
// reading rule works in place.
DWORD ReadText(const std::wstring& path, std::size_t maxChars, NoteFileText& file, bool& invalid) {
    // No encoding needs more than four bytes for one character of the text, and the mark
    // and last line break give none, so a larger file cannot fit: it is not even read.
    std::size_t maxBytes = kMaxNoteFileBytes;
    if (maxChars < (kMaxNoteFileBytes - 8) / 4) maxBytes = maxChars * 4 + 8;
    std::string bytes;
    if (DWORD error = tk::ReadWholeFile(path, maxBytes, bytes)) return error;
    file.encoding = DetectEncoding(bytes);
    std::wstring text = Decode(bytes, file.encoding, &invalid);
    std::string().swap(bytes);
    if (ContainsNul(text)) return kNotText;
    text = NoteTextFromFileText(std::move(text));
    if (text.size() > maxChars) return ERROR_FILE_TOO_LARGE;
    file.text.swap(text);
    return ERROR_SUCCESS;
}

// The bytes of the file: the mark, the text, then CR LF. False when the user, asked about
// characters the encoding cannot hold, declines.
bool Encode(const std::wstring& path, const std::wstring& text, NoteEncoding encoding,
            const Messenger& tell, std::string& bytes) {
    bytes.assign(ByteOrderMark(encoding));
    if (IsUtf16(encoding.kind)) {
        bool bigEndian = encoding.kind == Encoding::Utf16BE;
        bytes.reserve(bytes.size() + 2 * text.size() + 4);
        AppendUtf16Bytes<wchar_t>(text, bigEndian, bytes);
        AppendUtf16Bytes<wchar_t>(L"\r\n", bigEndian, bytes);
        return true;
    }
    const unsigned codePage = CodePageOf(encoding.kind);
    bool lossy = false;
    std::string converted = tk::ToCodePage(codePage, text, &lossy);
    if (lossy && !AgreesToLose(tell, path, encoding.kind,
                               tk::CharactersNotIn(codePage, text, kLostCharactersShown + 1)))
        return false;
    if (bytes.empty()) bytes.swap(converted);
    else bytes += converted;
    bytes += "\r\n";
    return true;
}

}  // namespace

std::optional<NoteFileText> ReadNoteFile(const std::wstring& path, std::size_t maxChars,
                                         const Messenger& tell) {
    NoteFileText file;
    bool invalid = false;
    DWORD error;
    try {
        error = ReadText(path, maxChars, file, invalid);
    } catch (const std::bad_alloc&) {
        error = ERROR_NOT_ENOUGH_MEMORY;
    }
    if (error) {
        TellOpenFailed(tell, path, error, maxChars);
        return std::nullopt;
    }
    if (invalid && !AgreesToOpenUndecodable(tell, path, file.encoding.kind)) return std::nullopt;
    return file;
}

bool WriteNoteFile(const std::wstring& path, const std::wstring& text, NoteEncoding encoding,
                   const Messenger& tell) {
    DWORD error;
    try {
        std::string bytes;
        if (!Encode(path, text, encoding, tell, bytes)) return false;
        error = tk::ReplaceWholeFile(path, bytes);
    } catch (const std::bad_alloc&) {
        error = ERROR_NOT_ENOUGH_MEMORY;
    }
    if (error) {
        TellSaveFailed(tell, path, error);
        return false;
    }
    return true;
}

}  // namespace note
