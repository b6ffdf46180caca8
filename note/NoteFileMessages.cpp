#include "note/NoteFileMessages.h"

#include <cwchar>

#include "toolkit/MessageBox.h"
#include "toolkit/SystemError.h"
#include "toolkit/core/Digits.h"

namespace note {
namespace {

enum class Direction { Open, Save };

// The file size limit or the text box's, whichever is tighter, is the one worth naming.
std::wstring TooLarge(std::size_t maxChars) {
    return L"文件太大，格卢玛容纳不下（最多 " +
           (maxChars < kMaxNoteFileBytes ? tk::Decimal<wchar_t>(maxChars) + L" 个字符"
                                         : tk::Decimal<wchar_t>(kMaxNoteFileBytes >> 20) + L" MB") +
           L"）。";
}

// Why a file operation failed, in the user's words, with the system's own text after it.
std::wstring Reason(DWORD error, Direction direction, std::size_t maxChars) {
    switch (error) {
    case ERROR_FILE_TOO_LARGE: return TooLarge(maxChars);  // the system's text speaks of saving
    case kTextBoxRefused: return L"文本框无法容纳这么多文字。";
    case kNotText: return L"文件中含有空字符（0x00），不是文本文件。";
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT: return L"系统没能把新内容换到这个文件的位置。";
    case ERROR_UNABLE_TO_MOVE_REPLACEMENT_2:  // the old file has been renamed by then
        return L"系统已经把原来的文件改了名，但没能把新内容换到这个文件的位置。";
    }
    std::wstring reason;
    switch (error) {
    case ERROR_FILE_NOT_FOUND: reason = L"找不到这个文件。"; break;
    case ERROR_PATH_NOT_FOUND: reason = L"找不到文件所在的文件夹。"; break;
    case ERROR_ACCESS_DENIED:
        reason = direction == Direction::Open ? L"没有读取这个文件的权限。"
                                              : L"文件是只读的，或者没有写入这个文件或文件夹的权限。";
        break;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION: reason = L"文件正被另一个程序使用。"; break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: reason = L"磁盘空间不足。"; break;
    case ERROR_WRITE_PROTECT: reason = L"磁盘有写保护。"; break;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY: reason = L"内存不足。"; break;
    default: reason = L"出现错误（代码 " + tk::Decimal<wchar_t>(error) + L"）。"; break;
    }
    std::wstring system = tk::SystemErrorText(error);
    if (!system.empty()) reason += L"\n系统信息：" + system;
    return reason;
}

std::wstring NameOf(Encoding encoding) {
    return encoding == Encoding::Ansi ? L"系统的 ANSI 代码页（" + tk::Decimal<wchar_t>(GetACP()) + L"）"
                                      : std::wstring(L"UTF-8");
}

// "“X”（U+XXXX）", so a character the font cannot draw is still named.
std::wstring Describe(const std::wstring& character) {
    unsigned code = character[0];
    if (character.size() == 2) code = 0x10000 + ((code - 0xD800) << 10) + (character[1] - 0xDC00);
    const std::wstring hex = L"U+" + tk::Hex(code, 4);
    bool lone = character.size() == 1 && code >= 0xD800 && code <= 0xDFFF;
    return lone ? hex : L"“" + character + L"”（" + hex + L"）";
}

// A file's name in quotes, as the user knows it: without the \\?\ prefix that the system's
// final names and long paths carry.
std::wstring Quoted(std::wstring path) {
    if (path.compare(0, 8, L"\\\\?\\UNC\\") == 0) path.replace(0, 8, L"\\\\");
    else if (path.compare(0, 4, L"\\\\?\\") == 0) path.erase(0, 4);
    return L"“" + path + L"”";
}

// What the file is like after a failed save, and what the user can do.
std::wstring AfterFailedSave(const tk::SaveOutcome& outcome) {
    using State = tk::SaveOutcome::State;
    switch (outcome.state) {
    case State::Apart:
        return L"新内容保存在文件" + Quoted(outcome.newAt) + L"中，原来的内容在文件" + Quoted(outcome.oldAt) +
               L"中。\n格卢玛的内容仍然保留在窗口中。";
    case State::MayBeDamaged:
        return L"写入已经开始，文件可能已经损坏。格卢玛的内容仍然保留在窗口中，请用另一个文件名再保存一次。";
    default: return L"文件没有被改动，格卢玛的内容仍然保留在窗口中。";
    }
}

}  // namespace

void TellOpenFailed(const Messenger& tell, const std::wstring& path, DWORD error, std::size_t maxChars) {
    tell(L"无法打开文件“" + path + L"”。\n\n" + Reason(error, Direction::Open, maxChars) +
             L"\n\n格卢玛的内容没有改变。",
         MB_OK | MB_ICONERROR);
}

void TellSaveOutcome(const Messenger& tell, const std::wstring& path, const tk::SaveOutcome& outcome) {
    std::wstring leftOver;
    if (!outcome.leftOver.empty())
        leftOver = L"没能删除临时文件" + Quoted(outcome.leftOver) + L"，可以手动删除它。";
    if (outcome.state == tk::SaveOutcome::State::Saved) {
        if (!leftOver.empty()) tell(L"已保存到文件" + Quoted(path) + L"。\n\n" + leftOver, MB_OK | MB_ICONWARNING);
        return;
    }
    tell(L"无法保存到文件" + Quoted(path) + L"。\n\n" + Reason(outcome.error, Direction::Save, 0) + L"\n\n" +
             AfterFailedSave(outcome) + (leftOver.empty() ? L"" : L"\n\n" + leftOver),
         MB_OK | MB_ICONERROR);
}

void TellDialogFailed(HWND note, DWORD commonDialogError) {
    tk::ShowMessage(L"无法显示文件对话框（错误代码 " + tk::Decimal<wchar_t>(commonDialogError) + L"）。",
                    MB_OK | MB_ICONERROR, note);
}

bool AgreesToLose(const Messenger& tell, const std::wstring& path, Encoding encoding,
                  const std::vector<std::wstring>& lost) {
    std::wstring list;
    for (std::size_t i = 0; i < lost.size() && i < kLostCharactersShown; ++i)
        list += (i ? L"  " : L"") + Describe(lost[i]);
    if (lost.size() > kLostCharactersShown) list += L"  等";
    const wchar_t* becomes = encoding == Encoding::Ansi ? L"问号“?”" : L"替代字符“\uFFFD”";
    int answer = tell(L"格卢玛中有些字符不能用" + NameOf(encoding) + L"保存，保存到文件“" + path +
                          L"”后它们会变成" + becomes + L"：\n\n" + list +
                          L"\n\n单击“确定”仍然保存，单击“取消”不保存。",
                      MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2);
    return answer == IDOK;
}

bool AgreesToOpenUndecodable(const Messenger& tell, const std::wstring& path, Encoding encoding) {
    int answer = tell(L"文件“" + path + L"”中有些字节不是有效的" + NameOf(encoding) +
                          L"文字，无法显示，会显示为替代字符；以后保存时这些字节不会被原样写回。\n\n"
                          L"单击“确定”仍然打开，单击“取消”不打开，格卢玛的内容不变。",
                      MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2);
    return answer == IDOK;
}

Messenger MessageBoxOf(HWND note) {
    return [note](const std::wstring& text, UINT flags) { return tk::ShowMessage(text, flags, note); };
}

}  // namespace note
