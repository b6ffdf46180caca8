#pragma once
// A picture box that shows one icon, centred in its rectangle: a STATIC child of a form.
#include <windows.h>

namespace tk {

class Form;

class IconBox {
public:
    IconBox() = default;
    IconBox(const IconBox&) = delete;
    IconBox& operator=(const IconBox&) = delete;

    // `icon` is shared (LR_SHARED or a stock icon); we don't own it. Throws
    // tk::ThrowCreateFailure's error when the system refuses the box.
    void Create(Form& parent, const RECT& rect, HICON icon);
    HWND Handle() const { return m_hwnd; }
    void SetIcon(HICON icon) { SendMessageW(m_hwnd, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0); }
    HICON Icon() const { return reinterpret_cast<HICON>(SendMessageW(m_hwnd, STM_GETICON, 0, 0)); }

private:
    HWND m_hwnd = nullptr;  // child of the form, destroyed with it
};

}  // namespace tk
