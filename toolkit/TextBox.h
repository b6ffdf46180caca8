#pragma once
// A multi-line text box with a vertical scroll bar: a child EDIT control of a form.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>

namespace tk {

class Form;

struct TextBoxArgs {
    int id = 0;
    RECT rect{};               // in the parent's client pixels
    HFONT font = nullptr;      // we don't own it; it must outlive the text box
    COLORREF background = RGB(255, 255, 255);
    std::wstring name;         // what a screen reader calls it (a hidden label before it)
    // A key the parent takes before the text box sees it; true: taken.
    std::function<bool(UINT key)> onKey;
};

class TextBox {
public:
    TextBox() = default;
    TextBox(const TextBox&) = delete;
    TextBox& operator=(const TextBox&) = delete;

    // Makes the control; call from the parent's OnCreate. Its text has no length limit
    // but memory: notes opened from files may be long.
    void Create(Form& parent, const TextBoxArgs& args);
    HWND Handle() const { return m_hwnd; }

    std::wstring Text() const;
    void SetText(const std::wstring& text);
    // Replaces the whole text in one step; false when the control found no memory for it
    // (it then keeps its old text).
    bool ReplaceText(const std::wstring& text);
    // The most characters the control takes (typed or set).
    std::size_t MaxLength() const;
    int Height() const;  // pixels
    void SetHeight(int pixels);
    // Moves the box to a rectangle of the parent's client pixels and draws with another font.
    void SetLayout(const RECT& rect, HFONT font);
    void SetFocus();
    bool HasFocus() const;

    // The parent passes WM_CTLCOLOREDIT here; returns the brush for the background, or
    // null when the message is for another control.
    HBRUSH OnCtlColor(HDC dc, HWND control) const;
    // The background and the text colour (CLR_INVALID: the control's own); redraw to show them.
    void SetColours(COLORREF background, COLORREF text);

private:
    HWND m_hwnd = nullptr;  // child of the form, destroyed with it
    HWND m_parent = nullptr;
    COLORREF m_background = RGB(255, 255, 255);
    COLORREF m_text = CLR_INVALID;
};

}  // namespace tk
