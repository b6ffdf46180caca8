#pragma once
// The about box's link for the keyboard and for screen readers. The link is drawn, not a
// window: while it has the keyboard, the about box itself holds the focus and marks the
// link with the system's focus rectangle. Tab moves between the link and OK, Enter on the
// link opens the home page, Esc closes the box as OK does. The box owns one and hands it
// what it needs.
#include <windows.h>

#include <functional>

namespace tk {
class Button;
class Form;
class Label;
}  // namespace tk

class AboutAccess {
public:
    // `open` opens the home page, as a click on the link does.
    AboutAccess(tk::Form& box, const tk::Button& ok, std::function<void()> open);
    AboutAccess(const AboutAccess&) = delete;
    AboutAccess& operator=(const AboutAccess&) = delete;

    // Tells readers of the link first, then of the two texts.
    void Describe(const tk::Label& link, const tk::Label& version, const tk::Label& copyright);
    // The box's messages as the link hears them first; true when taken (the box answers 0).
    bool OnMessage(UINT msg, WPARAM wParam);
    // After the box has painted: the focus mark over the link while it has the keyboard.
    void PaintFocus() const;

private:
    void FocusLink(bool link);
    void InvalidateLink() const;

    tk::Form& m_box;        // we don't own it: the box owns us
    const tk::Button& m_ok;  // the box's
    std::function<void()> m_open;
    const tk::Label* m_link = nullptr;  // the box's
    bool m_linkFocused = false;  // the keyboard is on the link (the box itself has the focus)
};
