#pragma once
// The notification-area icon: one record for the whole run, added at start-up and
// deleted at the end.
#include <windows.h>

#include <string>

namespace tk {
class Form;
}

// The record as the shell's first (ANSI) notify-icon structure lays it out: 88 bytes in
// the 32-bit program.
struct TrayIconRecord {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[64];
};

extern TrayIconRecord TrayIconData;

// Fills every field of TrayIconData from the window, its icon and the tip, then adds the
// icon. The result is not looked at: without an icon the program simply runs on.
void AddTrayIcon(tk::Form& window, const std::wstring& tip);
// Deletes the icon named by the record as it was added.
void DeleteTrayIcon();
// Adds the icon again with the record as it stands (after the shell has restarted).
void RestoreTrayIcon();
