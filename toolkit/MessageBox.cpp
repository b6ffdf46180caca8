#include "toolkit/MessageBox.h"

namespace tk {

const wchar_t kAppTitle[] = L"GlumaNote";

int ShowMessage(const std::wstring& text, UINT flags, HWND owner) {
    return MessageBoxW(owner, text.c_str(), kAppTitle, flags);
}

}  // namespace tk
