#include "toolkit/IconBox.h"

#include "toolkit/Application.h"
#include "toolkit/CreateFailure.h"
#include "toolkit/Form.h"

namespace tk {

void IconBox::Create(Form& parent, const RECT& rect, HICON icon) {
    // SS_CENTERIMAGE keeps the box at its designed size instead of shrinking it to the icon.
    m_hwnd = RequireCreated(CreateWindowExW(0, L"STATIC", nullptr, WS_CHILD | WS_VISIBLE | SS_ICON | SS_CENTERIMAGE,
                                            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                            parent.Handle(), nullptr, Instance(), nullptr),
                            L"图标框 (STATIC)");
    SendMessageW(m_hwnd, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

}  // namespace tk
