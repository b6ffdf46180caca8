#pragma once
// The product home page, opened in the user's browser by the shell's "open" operation.
#include <windows.h>

namespace tk {

// The home page's address, as shown on the about box's link and opened by the shell.
extern const wchar_t kHomePage[];

// Opens the home page with `owner` as the window that owns anything the shell shows.
// The shell's answer is not looked at.
void OpenWebPage(HWND owner);

// Test seam: the shell call behind OpenWebPage, ShellExecuteA. A test puts a recorder in
// its place, so that no browser is started.
using ShellOpener = HINSTANCE(WINAPI*)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                       LPCSTR directory, INT showCommand);
extern ShellOpener g_shellOpener;

}  // namespace tk
