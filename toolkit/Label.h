#pragma once
// Windowless controls: labels and lines that a form draws over its background and
// hit-tests itself (DrawnLabels), so they are transparent and cost no window handle.
#include <windows.h>

#include <functional>
#include <string>

namespace tk {

// Mouse button codes as events report them.
enum MouseButton { kLeftButton = 1, kRightButton = 2, kMiddleButton = 4 };

struct LabelArgs {
    RECT rect{};              // client pixels
    std::wstring caption;
    HFONT font = nullptr;     // we don't own it; null: the system's GUI font
    COLORREF color = CLR_INVALID;  // CLR_INVALID: the form's ink
    UINT format = DT_LEFT | DT_WORDBREAK | DT_NOPREFIX;
    HCURSOR cursor = nullptr; // pointer shown over the label; we don't own it
    std::wstring tooltip;
    std::function<void()> onClick;                // left button pressed and released on it
    std::function<void(int button)> onMouseDown;  // any button pressed on it
};

class Label {
public:
    explicit Label(const LabelArgs& args) : m_args(args) {}
    const RECT& Rect() const { return m_args.rect; }
    const std::wstring& Caption() const { return m_args.caption; }
    const LabelArgs& Args() const { return m_args; }

private:
    friend class DrawnLabels;  // draws it and sets what changes its drawing
    LabelArgs m_args;
};

struct Line {
    POINT from{};
    POINT to{};
    int width = 1;
    COLORREF color = RGB(0, 0, 0);  // CLR_INVALID: the form's ink
};

}  // namespace tk
