#pragma once
// A top-level window of the program. One object per window: it registers in LoadedForms
// when its window is created, and deletes itself once its window is destroyed (and no
// message of its own is still being handled), so a form never outlives its window. It
// dispatches its window's messages (the one boundary where every error is reported and
// none escapes) and routes a new DPI and a colour-scheme change to the subclass.
//
// Windowless labels and lines are drawn over the background picture by the form's
// DrawnLabels; a form that describes them to screen readers (Reader()) answers their
// WM_GETOBJECT. Child controls (text box, pickers, buttons) are real windows made by the
// subclass.
#include <windows.h>

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "toolkit/Accessible.h"
#include "toolkit/Dpi.h"
#include "toolkit/DrawnLabels.h"
#include "toolkit/Gdi.h"

namespace tk {

struct FormStyle {
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    int clientWidth = 320;   // the designed client size, in pixels at 96 dpi
    int clientHeight = 240;
};

class Form {
public:
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // Creates the window (hidden), appends the form to LoadedForms and runs OnLoad.
    // Throws when the window cannot be made: the system refused it (tk::ThrowCreateFailure's
    // error), or OnCreate threw (its error, the window then undone). The form is then still
    // the caller's. From then on the window owns the form. Returns false when the window
    // was destroyed during OnLoad (the form is then gone).
    bool Load();
    HWND Handle() const { return m_hwnd; }
    bool IsLoaded() const { return m_hwnd != nullptr; }

    void Show();      // visible and active; a minimised form stays minimised
    void Hide() { ShowWindow(m_hwnd, SW_HIDE); }
    void Minimise() { ShowWindow(m_hwnd, SW_MINIMIZE); }
    bool IsVisible() const { return m_hwnd && IsWindowVisible(m_hwnd); }
    bool IsMinimised() const { return m_hwnd && IsIconic(m_hwnd); }
    // Asks OnUnload; unless cancelled, destroys the window.
    void Unload();
    // Destroys the window without asking OnUnload (end of program, tests).
    void Destroy() { if (m_hwnd) DestroyWindow(m_hwnd); }

    std::wstring Caption() const;
    void SetCaption(const std::wstring& text) { SetWindowTextW(m_hwnd, text.c_str()); }
    const std::wstring& Tag() const { return m_tag; }
    void SetTag(std::wstring tag) { m_tag = std::move(tag); }
    HICON Icon() const { return m_icon; }
    // Small and large images of the same icon; the form does not own shared icons.
    void SetIcon(HICON small, HICON large);
    // The background picture, drawn at the top left; null when there is none.
    HBITMAP Picture() const { return m_picture ? m_picture->Get() : nullptr; }
    // The form holds the picture with whoever else does (all notes share one skin).
    void SetPicture(SharedBitmap picture);
    // The form alone holds this bitmap and deletes it when it lets go.
    void SetPicture(HBITMAP picture) { SetPicture(std::make_shared<ScopedGdiObject<HBITMAP>>(picture)); }

    // The DPI of the monitor the window is on, as the system last told the window (at its
    // creation, then with each WM_DPICHANGED); layouts designed at 96 dpi are scaled to it.
    int Dpi() const { return m_dpi; }

    // The labels and lines drawn over the picture.
    DrawnLabels& Labels() { return m_labels; }
    // What screen readers are told of the labels; the form answers them once it tells some.
    AccessibleLabels& Reader() { return m_reader; }

    // Event routing for child controls, menus and timers made by the subclass.
    void OnControlCommand(int id, std::function<void(int code)> handler) { m_commandHandlers[id] = std::move(handler); }
    void OnControlNotify(int id, std::function<LRESULT(NMHDR*)> handler) { m_notifyHandlers[id] = std::move(handler); }

    // Only a form whose window never existed (or is gone) may be deleted from outside.
    virtual ~Form();

protected:
    explicit Form(const FormStyle& style);

    virtual void OnCreate() {}  // make child controls here
    virtual void OnLoad() {}
    virtual void OnUnload(bool& cancel) { (void)cancel; }
    // A button (kLeftButton, ...) pressed on the window outside the labels and the controls.
    virtual void OnMouseDown(int button) { (void)button; }
    virtual void OnTimer(UINT_PTR id) { (void)id; }
    // The window has moved to a monitor of another DPI (Dpi() is the new one) and has taken
    // the rectangle the system suggested: lay out again.
    virtual void OnDpiChanged() {}
    // The system's colours or high contrast have changed (the child controls have been told).
    virtual void OnColoursChanged() {}
    // Everything else; call the base for what you don't handle.
    virtual LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool LeaveDispatch();  // true when the form deleted itself
    LRESULT OnDispatchError(UINT msg);
    static void RegisterClassOnce();
    bool OnMouse(UINT msg, LPARAM lParam);  // true when it was a button's press or release
    void OnDpiMessage(WPARAM wParam, LPARAM lParam);
    void Paint();

    HWND m_hwnd = nullptr;
    int m_dpi = kStandardDpi;
    FormStyle m_style;
    std::wstring m_tag;
    HICON m_icon = nullptr;       // we don't own it (shared resource icon)
    SharedBitmap m_picture;
    DrawnLabels m_labels;
    AccessibleLabels m_reader;  // points at m_labels' labels: declared after them, it goes first
    std::map<int, std::function<void(int)>> m_commandHandlers;
    std::map<int, std::function<LRESULT(NMHDR*)>> m_notifyHandlers;
    int m_dispatchDepth = 0;
    bool m_ownedByWindow = false;  // set once CreateWindowEx has succeeded
    bool m_destroyed = false;
    std::exception_ptr m_createError;  // what OnCreate threw, for Load to throw on
};

// Creates a form of type T and loads it. The form deletes itself when its window goes.
// Returns null when the form closed itself while loading.
template <class T, class... Args>
T* LoadForm(Args&&... args) {
    std::unique_ptr<T> form(new T(std::forward<Args>(args)...));
    if (!form->Load()) {
        form.release();  // already deleted with its window
        return nullptr;
    }
    return form.release();  // the window owns it now
}

}  // namespace tk
