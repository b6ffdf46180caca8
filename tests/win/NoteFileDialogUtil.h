#pragma once
// Drives the system's modal dialogs from a second thread while the test's thread sits in
// them: finds the dialog, reads and types the file name, presses buttons, reads the text
// of a message box.
#include <windows.h>

#include <string>
#include <vector>

namespace filetest {

struct FoundDialog {
    std::vector<HWND> skip;
    HWND found = nullptr;
};

inline BOOL CALLBACK FindDialogProc(HWND hwnd, LPARAM lp) {
    auto* search = reinterpret_cast<FoundDialog*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[32] = {};
    GetClassNameW(hwnd, cls, 32);
    if (pid != GetCurrentProcessId() || std::wstring(cls) != L"#32770" || !IsWindowVisible(hwnd))
        return TRUE;
    for (HWND s : search->skip)
        if (s == hwnd) return TRUE;
    search->found = hwnd;
    return FALSE;
}

// The first visible dialog of this process that is not one of skip; null after timeoutMs.
inline HWND WaitForDialog(std::vector<HWND> skip = {}, DWORD timeoutMs = 15000) {
    DWORD start = GetTickCount();
    do {
        FoundDialog search{skip, nullptr};
        EnumWindows(FindDialogProc, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            Sleep(100);  // let it finish its own initialisation
            return search.found;
        }
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

inline std::wstring WindowText(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, &text[0], n + 1)));
    return text;
}

// The file name box of an open or save dialog (a combo box in the Explorer-style dialog,
// an edit box in the older one).
inline HWND FileNameBox(HWND dialog) {
    const int kCmb13 = 0x47C, kEdt1 = 0x480;
    HWND box = GetDlgItem(dialog, kCmb13);
    return box ? box : GetDlgItem(dialog, kEdt1);
}

// The text of a message box.
inline std::wstring MessageText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? WindowText(text) : std::wstring();
}

inline void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Types a name into the file dialog and presses its OK button.
inline void ChooseName(HWND dialog, const std::wstring& name) {
    SendMessageW(FileNameBox(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    Press(dialog, IDOK);
}

// Waits until the window is gone.
inline bool WaitGone(HWND hwnd, DWORD timeoutMs = 15000) {
    DWORD start = GetTickCount();
    while (IsWindow(hwnd) && IsWindowVisible(hwnd)) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

}  // namespace filetest
