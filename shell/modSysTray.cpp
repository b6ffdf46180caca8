#include "shell/modSysTray.h"

#include <shellapi.h>

#include <cstddef>

#include "shell/core/TrayTip.h"
#include "toolkit/Ansi.h"
#include "toolkit/Form.h"

static_assert(sizeof(TrayIconRecord) == NOTIFYICONDATAA_V1_SIZE,
              "the record must match the first notify-icon layout");
static_assert(offsetof(TrayIconRecord, szTip) + sizeof(TrayIconRecord{}.szTip) == NOTIFYICONDATAA_V1_SIZE,
              "the tip field ends the record");
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(TrayIconRecord) == 88, "88 bytes in the 32-bit program");
static_assert(offsetof(TrayIconRecord, hIcon) == 20 && offsetof(TrayIconRecord, szTip) == 24,
              "field offsets of the 32-bit record");
#endif

TrayIconRecord TrayIconData;

namespace {

const UINT kTrayIconId = 1;

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
    TrayIconData.uCallbackMessage = WM_MOUSEMOVE;
    TrayIconData.hIcon = window.Icon();
    std::string ansi = CutAtCharacter(tk::ToAnsi(tip), sizeof TrayIconData.szTip - 1);
    shell::FillTipField(TrayIconData.szTip, sizeof TrayIconData.szTip, ansi);
    Notify(NIM_ADD);
}

void DeleteTrayIcon() { Notify(NIM_DELETE); }

void RestoreTrayIcon() {
    if (TrayIconData.hWnd) Notify(NIM_ADD);
}
