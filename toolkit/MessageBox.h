#pragma once
// The program's message box: modal, captioned with the application title "GlumaNote".
#include <windows.h>

#include <string>

namespace tk {

extern const wchar_t kAppTitle[];

// Returns the button the user chose (IDOK, IDCANCEL, ...).
int ShowMessage(const std::wstring& text, UINT flags = MB_OK, HWND owner = nullptr);

}  // namespace tk
