#pragma once
// modSysTray: the notification-area icon and everything about it. Its record lives here
// alone for the whole run: filled and added at start-up, deleted at the end; and the
// icon's notifications are read here.
#include <windows.h>

#include <string>

#include "shell/core/TrayDecode.h"

namespace tk {
class Form;
}

// The icon's id and the message it sends to its window. A hidden window never has the
// mouse over it, so a mouse move there is always the icon speaking.
constexpr UINT kTrayIconId = 1;
constexpr UINT kTrayCallbackMessage = WM_MOUSEMOVE;

// Fills every field of the record from the window, its icon and the tip (cut to the 63
// bytes the shell takes, at a character boundary), then adds the icon. The result is
// not looked at: without an icon the program simply runs on.
void AddTrayIcon(tk::Form& window, const std::wstring& tip);
// The tip field of the record as it was last handed to the shell (all 64 bytes).
std::string TrayTipField();
// Deletes the icon named by the record as it was added.
void DeleteTrayIcon();
// Adds the icon again with the record as it stands (after the shell has restarted).
void RestoreTrayIcon();
// What the icon's callback message asks for. A notification that cannot be read asks for
// nothing, silently; what it starts is not covered by that silence.
shell::TrayAction ReadTrayNotification(WPARAM wParam, LPARAM lParam);
