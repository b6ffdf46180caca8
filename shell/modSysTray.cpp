#include "shell/modSysTray.h"

#include <shellapi.h>

#include <cstddef>

#include "shell/core/TrayTip.h"
#include "toolkit/Ansi.h"
#include "toolkit/Form.h"

namespace {

// The shell's first (ANSI) notify-icon layout, which Shell_NotifyIconA takes from every
// Windows version: 88 bytes in the 32-bit program.
struct TrayIconRecord {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[64];
};
static_assert(sizeof(TrayIconRecord) == NOTIFYICONDATAA_V1_SIZE, "the record must match the first notify-icon layout");
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(TrayIconRecord) == 88 && offsetof(TrayIconRecord, hIcon) == 20 &&
                  offsetof(TrayIconRecord, szTip) == 24,
              "field offsets of the 32-bit record");
#endif

TrayIconRecord TrayIconData;  // the icon as it was added; the delete names it again

// Cuts ANSI text to at most maxBytes without splitting a double-byte character.
std::string CutAtCharacter(const std::string& text, size_t maxBytes) {
    size_t end = 0;
    while (end < text.size()) {
        size_t next = end + (IsDBCSLeadByte(static_cast<BYTE>(text[end])) ? 2 : 1);
        if (next > maxBytes) break;
        end = next;
    }
    return text.substr(0, end);
}

BOOL Notify(DWORD message) {
    return Shell_NotifyIconA(message, reinterpret_cast<PNOTIFYICONDATAA>(&TrayIconData));
}

}  // namespace

void AddTrayIcon(tk::Form& window, const std::wstring& tip) {
    TrayIconData.cbSize = sizeof TrayIconData;
    TrayIconData.hWnd = window.Handle();
    TrayIconData.uID = kTrayIconId;
    TrayIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    TrayIconData.uCallbackMessage = kTrayCallbackMessage;
    TrayIconData.hIcon = window.Icon();
    std::string ansi = CutAtCharacter(tk::ToAnsi(tip), sizeof TrayIconData.szTip - 1);
    shell::FillTipField(TrayIconData.szTip, sizeof TrayIconData.szTip, ansi);
    Notify(NIM_ADD);
}

std::string TrayTipField() { return std::string(TrayIconData.szTip, sizeof TrayIconData.szTip); }

void DeleteTrayIcon() { Notify(NIM_DELETE); }

void RestoreTrayIcon() {
    if (TrayIconData.hWnd) Notify(NIM_ADD);
}

shell::TrayAction ReadTrayNotification(WPARAM wParam, LPARAM lParam) {
    (void)wParam;  // the icon id: we have one icon
    // Reading the code raises nothing today; the trap keeps the rule that a notification
    // never shows an error, and covers the reading only.
    try {
        return shell::TrayActionFor(static_cast<uint64_t>(lParam));
    } catch (...) {
        return shell::TrayAction::None;
    }
}
