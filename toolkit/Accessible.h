#pragma once
// What a screen reader sees of a form whose clickable parts are drawn labels rather than
// windows. A form that describes its labels here answers WM_GETOBJECT for its client area
// with an IAccessible object of its own: one simple element per label described (numbered
// from 1 in the order they were added), then the form's visible child windows as the system
// describes them.
//
// The object never keeps the form alive: a reader may hold it after the window is gone, and
// then every call answers CO_E_OBJNOTCONNECTED. oleacc is loaded only when a reader first
// asks (the release program delay-loads it, as the common controls).
#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace tk {

class Label;
class AccessibleObject;  // the COM object, in Accessible.cpp

struct AccessibleLabel {
    const Label* label = nullptr;   // where it is, from its live rectangle; the form owns it
    long role = 0;                  // ROLE_SYSTEM_...
    std::wstring name;              // empty: the label's caption
    std::wstring defaultAction;     // empty: none
    std::wstring shortcut;          // the key that does the same, for the reader to say
    long state = 0;                 // STATE_SYSTEM_... beyond what the window's own state gives
    // The default action. It is posted and runs from the message loop: a reader's call must
    // not block on a menu or see the window go while it is inside it.
    std::function<void()> action;
};

// Owned by a form, which passes its messages through Handle() first.
class AccessibleLabels {
public:
    AccessibleLabels() = default;
    ~AccessibleLabels() { Detach(); }
    AccessibleLabels(const AccessibleLabels&) = delete;
    AccessibleLabels& operator=(const AccessibleLabels&) = delete;

    // The window the labels are drawn on.
    void Attach(HWND window) { m_hwnd = window; }
    // The window is gone: the object a reader may still hold answers CO_E_OBJNOTCONNECTED.
    void Detach();

    void Add(AccessibleLabel element) { m_elements.push_back(std::move(element)); }
    // Changes an element's extra state (1-based) and tells readers.
    void SetState(std::size_t child, long state);

    // Once labels are described: answers WM_GETOBJECT for the client area and runs a default
    // action posted earlier; true when the message was one of those, with `result` the answer.
    bool Handle(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    friend class AccessibleObject;
    HWND m_hwnd = nullptr;  // we don't own it: the form's window, null once it is gone
    std::vector<AccessibleLabel> m_elements;
    AccessibleObject* m_object = nullptr;  // made when a reader first asks; we hold one reference
};

// A static label that is never shown, made just before a control that has no caption of its
// own: Active Accessibility names such a control by the static text that precedes it.
void AddHiddenLabel(HWND parent, const std::wstring& name);

// Tells readers that something changed in a window's client area (NotifyWinEvent).
void NotifyReaders(DWORD event, HWND hwnd, LONG child = 0);

}  // namespace tk
