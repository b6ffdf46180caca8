#include "toolkit/Help.h"

#include <htmlhelp.h>

#include <string>

#include "toolkit/Ansi.h"
#include "toolkit/AppPath.h"

namespace tk {
namespace {

using HtmlHelpAFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

// The help file's path in the ANSI code page, which is all HtmlHelpA takes. A folder
// name the code page cannot spell would reach the viewer as question marks; its short
// (8.3) form is plain ASCII and names the same file.
std::string HelpFilePathAnsi() {
    std::wstring path = ProgramFolder() + L"\\Gluma Note.chm";
    bool lossy = false;
    std::string ansi = ToAnsi(path, &lossy);
    if (!lossy) return ansi;
    wchar_t shortPath[MAX_PATH];
    DWORD n = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return ansi;  // no short name (or no file): the viewer finds nothing
    return ToAnsi(std::wstring(shortPath, n));
}

// Only the system's copy: a hhctrl.ocx planted beside the program or beside a note file
// (the current folder) must never be loaded, whatever the search order says.
HMODULE LoadFromSystemFolder() {
    HMODULE library = LoadLibraryExW(L"hhctrl.ocx", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (library || GetLastError() != ERROR_INVALID_PARAMETER) return library;
    // A Windows 7 without the search-flags update refuses the flag: name the file in full.
    wchar_t folder[MAX_PATH];
    UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    return LoadLibraryW((std::wstring(folder, n) + L"\\hhctrl.ocx").c_str());
}

}  // namespace

HMODULE HelpLibrary() {
    // Loaded once and never freed: the viewer's windows live on after HtmlHelpA returns.
    static HMODULE library = LoadFromSystemFolder();
    return library;
}

void ShowProgramHelp(HWND owner) {
    HMODULE library = HelpLibrary();
    if (!library) return;
    auto htmlHelp = reinterpret_cast<HtmlHelpAFn>(reinterpret_cast<void*>(GetProcAddress(library, "HtmlHelpA")));
    if (!htmlHelp) return;
    htmlHelp(owner, HelpFilePathAnsi().c_str(), HH_DISPLAY_TOPIC, 0);
}

}  // namespace tk
