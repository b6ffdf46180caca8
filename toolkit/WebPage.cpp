#include "toolkit/WebPage.h"

#include <shellapi.h>

#include <string>

#include "toolkit/Ansi.h"

namespace tk {

ShellOpener g_shellOpener = ShellExecuteA;

const wchar_t kHomePage[] = L"https://www.glumanote.com/";

void OpenWebPage(HWND owner) {
    std::string address = ToAnsi(kHomePage);
    // Show command 0: the browser decides how its window appears.
    g_shellOpener(owner, "open", address.c_str(), nullptr, nullptr, SW_HIDE);
}

}  // namespace tk
