#include "note/NoteFile.h"

#include <new>
#include <utility>

#include "note/core/NoteText.h"
#include "toolkit/Ansi.h"
#include "toolkit/AnsiCheck.h"
#include "toolkit/MessageBox.h"
#include "toolkit/SystemError.h"
#include "toolkit/TextBox.h"
#include "toolkit/TextFile.h"
#include "toolkit/core/Digits.h"
#include "toolkit/WaitCursor.h"

namespace note {
namespace {

// How many of the characters the code page cannot hold the user is shown.
constexpr std::size_t kLostCharactersShown = 10;

// A program-detected reason that has no system error code of its own.
constexpr DWORD kNotText = 0xE0000001;
constexpr DWORD kTextBoxRefused = 0xE0000002;

enum class Direction { Open, Save };

// Why a file operation failed, in the user's words, with the system's own text after it.
std::wstring Reason(DWORD error, Direction direction, std::size_t maxChars) {
    std::wstring reason;
    bool systemText = true;
    switch (error) {
    case ERROR_FILE_NOT_FOUND: reason = L"找不到这个文件。"; break;
    case ERROR_PATH_NOT_FOUND: reason = L"找不到文件所在的文件夹。"; break;
    case ERROR_ACCESS_DENIED:
        reason = direction == Direction::Open
                     ? L"没有读取这个文件的权限。"
                     : L"文件是只读的，或者没有写入这个文件或文件夹的权限。";
        break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: reason = L"文件正被另一个程序使用。"; break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: reason = L"磁盘空间不足。"; break;
    case ERROR_WRITE_PROTECT: reason = L"磁盘有写保护。"; break;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: reason = L"内存不足。"; break;
    case ERROR_FILE_TOO_LARGE:
        // The tighter of the two limits is the one worth naming.
        reason = L"文件太大，格卢玛容纳不下（最多 " +
                 (maxChars < kMaxNoteFileBytes ? tk::Decimal<wchar_t>(maxChars) + L" 个字符"
                                               : tk::Decimal<wchar_t>(kMaxNoteFileBytes >> 20) + L" MB") +
                 L"）。";
        systemText = false;  // the system's text speaks of saving, not of this limit
        break;
    case kTextBoxRefused:
        reason = L"文本框无法容纳这么多文字。";
        systemText = false;
        break;
    case kNotText:
        reason = L"文件中含有空字符（0x00），不是文本文件。";
        systemText = false;
        break;
    default: reason = L"出现错误（代码 " + tk::Decimal<wchar_t>(error) + L"）。"; break;
    }
    if (systemText) {
        std::wstring system = tk::SystemErrorText(error);
        if (!system.empty()) reason += L"\n系统信息：" + system;
    }
    return reason;
}

void TellOpenFailed(const Messenger& tell, const std::wstring& path, DWORD error,
                    std::size_t maxChars) {
    tell(L"无法打开文件“" + path + L"”。\n\n" + Reason(error, Direction::Open, maxChars) +
             L"\n\n格卢玛的内容没有改变。",
         MB_OK | MB_ICONERROR);
}

void TellSaveFailed(const Messenger& tell, const std::wstring& path, DWORD error) {
    tell(L"无法保存到文件“" + path + L"”。\n\n" + Reason(error, Direction::Save, 0) +
             L"\n\n文件没有被改动，格卢玛的内容仍然保留在窗口中。",
         MB_OK | MB_ICONERROR);
}

// "“X”（U+XXXX）", so a character the font cannot draw is still named.
std::wstring Describe(const std::wstring& character) {
    unsigned code = character[0];
    if (character.size() == 2)
        code = 0x10000 + ((code - 0xD800) << 10) + (character[1] - 0xDC00);
    const std::wstring hex = L"U+" + tk::Hex(code, 4);
    bool lone = character.size() == 1 && code >= 0xD800 && code <= 0xDFFF;
    return lone ? std::wstring(hex) : L"“" + character + L"”（" + hex + L"）";
}

// Asks whether to write although the listed characters will become "?".
bool AgreesToLose(const Messenger& tell, const std::wstring& path,
                  const std::vector<std::wstring>& lost) {
    std::wstring list;
    for (std::size_t i = 0; i < lost.size() && i < kLostCharactersShown; ++i)
        list += (i ? L"  " : L"") + Describe(lost[i]);
    if (lost.size() > kLostCharactersShown) list += L"  等";
    int answer = tell(L"格卢玛中有些字符不能用系统的 ANSI 代码页保存，保存到文件“" + path +
                          L"”后它们会变成问号“?”：\n\n" + list +
                          L"\n\n单击“确定”仍然保存，单击“取消”不保存。",
                      MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2);
    return answer == IDOK;
}

// The opening proper; returns ERROR_SUCCESS or why it failed. Each large buffer is let go
// as soon as the next one is made, so at most two of them are alive at a time.
DWORD ReadText(const std::wstring& path, std::size_t maxChars, std::wstring& text) {
    // No code page needs more than four bytes for one character of the text, and the last
    // line break (two bytes) gives none, so a larger file cannot fit: it is not even read.
    std::size_t maxBytes = kMaxNoteFileBytes;
    if (maxChars < (kMaxNoteFileBytes - 2) / 4) maxBytes = maxChars * 4 + 2;
    std::string bytes;
    if (DWORD error = tk::ReadWholeFile(path, maxBytes, bytes)) return error;
    if (ContainsNul(bytes)) return kNotText;
    std::string joined = NoteTextFromFileBytes(bytes);
    std::string().swap(bytes);
    std::wstring converted = tk::FromAnsi(joined);
    std::string().swap(joined);
    if (converted.size() > maxChars) return ERROR_FILE_TOO_LARGE;
    text.swap(converted);
    return ERROR_SUCCESS;
}

}  // namespace

std::optional<std::wstring> ReadNoteFile(const std::wstring& path, std::size_t maxChars,
                                         const Messenger& tell) {
    std::wstring text;
    DWORD error;
    try {
        error = ReadText(path, maxChars, text);
    } catch (const std::bad_alloc&) {
        error = ERROR_NOT_ENOUGH_MEMORY;
    }
    if (error) {
        TellOpenFailed(tell, path, error, maxChars);
        return std::nullopt;
    }
    return text;
}

bool WriteNoteFile(const std::wstring& path, std::wstring text, const Messenger& tell) {
    DWORD error;
    try {
        bool lossy = false;
        std::string ansi = tk::ToAnsi(text, &lossy);
        if (lossy &&
            !AgreesToLose(tell, path, tk::CharactersNotInAnsi(text, kLostCharactersShown + 1)))
            return false;
        std::wstring().swap(text);
        error = tk::ReplaceWholeFile(path, NoteFileBytesFromText(ansi));
    } catch (const std::bad_alloc&) {
        error = ERROR_NOT_ENOUGH_MEMORY;
    }
    if (error) {
        TellSaveFailed(tell, path, error);
        return false;
    }
    return true;
}

bool OpenNoteFileInto(tk::TextBox& txtNote, const std::wstring& path, const Messenger& tell) {
    tk::WaitCursor wait;  // a long file can take a while to lay out in the text box
    HWND box = txtNote.Handle();
    // What the text box can take: beyond its limit the user could type no more.
    std::size_t maxChars = static_cast<std::size_t>(SendMessageW(box, EM_GETLIMITTEXT, 0, 0));
    std::optional<std::wstring> text = ReadNoteFile(path, maxChars, tell);
    if (!text) return false;
    // WM_SETTEXT replaces the whole text in one step; its result says whether the control
    // found the memory for it (it then keeps its old text otherwise).
    if (!SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text->c_str()))) {
        TellOpenFailed(tell, path, kTextBoxRefused, maxChars);
        return false;
    }
    return true;
}

bool SaveNoteFileFrom(const tk::TextBox& txtNote, const std::wstring& path, const Messenger& tell) {
    tk::WaitCursor wait;
    std::wstring text;
    try {
        text = txtNote.Text();
    } catch (const std::bad_alloc&) {
        TellSaveFailed(tell, path, ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    return WriteNoteFile(path, std::move(text), tell);
}

Messenger MessageBoxOf(HWND note) {
    return [note](const std::wstring& text, UINT flags) { return tk::ShowMessage(text, flags, note); };
}

}  // namespace note
