#pragma once
// The labels and lines a form draws over its background picture: it paints them, finds the
// label under the mouse, turns a press and release on a label into its click, shows a
// label's pointer and tooltip. They cost no window handle and are transparent.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "toolkit/Label.h"

namespace tk {

class DrawnLabels {
public:
    DrawnLabels() = default;
    DrawnLabels(const DrawnLabels&) = delete;
    DrawnLabels& operator=(const DrawnLabels&) = delete;

    // The window they are drawn on; null once it is gone.
    void Attach(HWND window) { m_hwnd = window; }

    // Later labels lie on top of earlier ones.
    Label& Add(const LabelArgs& args);
    void SetCaption(Label& label, std::wstring caption);
    // Moves a label (and its tooltip's area) and gives it another font, after a DPI change.
    void SetLayout(Label& label, const RECT& rect, HFONT font);
    void SetColour(Label& label, COLORREF colour);
    void SetCursor(Label& label, HCURSOR cursor) { label.m_args.cursor = cursor; }  // we don't own it
    // Replaces every line.
    void SetLines(std::vector<Line> lines);
    // The colour of labels and lines that have none of their own; CLR_INVALID (the start):
    // the system's text colour.
    void SetInk(COLORREF ink);

    // What the form passes on from its window.
    void Paint(HDC dc) const;
    // A button pressed at a client point: true when it was on a label, whose press it is.
    bool Press(int button, POINT pt);
    // The button released: a left press and release on the same label is its click.
    void Release(int button, POINT pt);
    void ForgetPress() { m_pressed = nullptr, m_pressedButton = 0; }
    // Shows the pointer of the label under the mouse; false when it has none.
    bool ShowCursor() const;

private:
    Label* At(POINT pt) const;
    void AddTooltip(const Label& label);
    void Invalidate(const RECT* rect) const;

    HWND m_hwnd = nullptr;     // we don't own it: the form's window
    HWND m_tooltip = nullptr;  // child of the window, destroyed with it
    std::vector<std::unique_ptr<Label>> m_labels;
    std::vector<Line> m_lines;
    COLORREF m_ink = CLR_INVALID;
    Label* m_pressed = nullptr;
    int m_pressedButton = 0;
};

}  // namespace tk
