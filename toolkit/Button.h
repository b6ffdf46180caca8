#pragma once
// A push button: a real BUTTON child of a form, reporting its clicks through the form.
#include <windows.h>

#include <functional>
#include <string>

namespace tk {

class Form;

struct ButtonArgs {
    int id = 0;
    RECT rect{};              // client pixels
    std::wstring caption;
    HFONT font = nullptr;     // we don't own it; null: the system's GUI font
    bool isDefault = false;   // drawn as the default button; Enter presses it
    bool isCancel = false;    // Esc presses it
    std::function<void()> onClick;
};

class Button {
public:
    Button() = default;
    Button(const Button&) = delete;
    Button& operator=(const Button&) = delete;

    // Makes the button on `parent`; call from the form's OnCreate or later. Throws
    // tk::ThrowCreateFailure's error when the system refuses it.
    void Create(Form& parent, const ButtonArgs& args);
    HWND Handle() const { return m_hwnd; }
    void Focus() const { SetFocus(m_hwnd); }
    // Presses it as the user does, so its click handler runs.
    void Click() const { SendMessageW(m_hwnd, BM_CLICK, 0, 0); }

private:
    HWND m_hwnd = nullptr;  // child of the form, destroyed with it
};

}  // namespace tk
