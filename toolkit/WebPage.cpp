#include "toolkit/WebPage.h"

#include <shellapi.h>

#include <string>

#include "toolkit/Ansi.h"

namespace tk {
namespace {
ShellOpener g_opener = ShellExecuteA;
}

const wchar_t kHomePage[] = L"https://www.glumanote.com/";

void OpenWebPage(HWND owner) {
    std::string address = ToAnsi(kHomePage);
    // Show command 0: the browser decides how its window appears.
    g_opener(owner, "open", address.c_str(), nullptr, nullptr, SW_HIDE);
}

ShellOpener SetShellOpener(ShellOpener opener) {
    ShellOpener previous = g_opener;
    g_opener = opener ? opener : ShellExecuteA;
    return previous;
}

}  // namespace tk
