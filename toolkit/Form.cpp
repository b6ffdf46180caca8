#include "toolkit/Form.h"

#include <windowsx.h>

#include <cassert>
#include <utility>

#include "toolkit/Application.h"
#include "toolkit/CreateFailure.h"
#include "toolkit/LoadedForms.h"
#include "toolkit/SystemColours.h"
#include "toolkit/core/Errors.h"

namespace tk {
namespace {

const wchar_t kFormClass[] = L"GlumaNoteForm";

// Each button's press; its release is the message after it.
constexpr struct {
    UINT down;
    int button;
} kButtons[] = {{WM_LBUTTONDOWN, kLeftButton}, {WM_RBUTTONDOWN, kRightButton}, {WM_MBUTTONDOWN, kMiddleButton}};

// The outer size of a window of the style whose client area is the designed one at `dpi`.
RECT OuterRect(const FormStyle& style, int dpi) {
    RECT r = {0, 0, Scale(style.clientWidth, dpi), Scale(style.clientHeight, dpi)};
    AdjustWindowRectForDpi(r, style.style, style.exStyle, dpi);
    return r;
}

}  // namespace

Form::Form(const FormStyle& style) : m_style(style) {}

Form::~Form() {
    assert(m_hwnd == nullptr && "a form is deleted only once its window is gone");
}

void Form::RegisterClassOnce() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kFormClass;
    // No background brush: WM_PAINT draws the whole client area, picture first.
    if (!RegisterClassExW(&wc)) ThrowCreateFailure(L"窗口类 GlumaNoteForm");
    registered = true;
}

bool Form::Load() {
    assert(!m_hwnd);
    RegisterClassOnce();
    // New windows open on the primary monitor, at the system DPI, unless the system knows
    // better: then the size is put right once the window tells its DPI.
    const int dpi = SystemDpi();
    RECT r = OuterRect(m_style, dpi);
    HWND hwnd = CreateWindowExW(m_style.exStyle, kFormClass, L"", m_style.style | WS_CLIPCHILDREN,
                                CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                                nullptr, nullptr, Instance(), this);
    if (!hwnd && m_createError) std::rethrow_exception(std::exchange(m_createError, nullptr));
    RequireCreated(hwnd, L"窗口 (GlumaNoteForm)");
    m_ownedByWindow = true;
    if (m_dpi != dpi) {
        r = OuterRect(m_style, m_dpi);
        SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ++m_dispatchDepth;
    try {
        OnLoad();
    } catch (const std::exception& e) {
        ReportError(e);
    }
    return !LeaveDispatch();
}

bool Form::LeaveDispatch() {
    if (--m_dispatchDepth == 0 && m_destroyed && m_ownedByWindow) {
        delete this;
        return true;
    }
    return false;
}

LRESULT CALLBACK Form::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Form* self;
    if (msg == WM_NCCREATE) {
        self = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        self->m_dpi = DpiOf(hwnd);
        self->m_labels.Attach(hwnd);
        self->m_reader.Attach(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        LoadedForms::Add(self);
    } else {
        self = reinterpret_cast<Form*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);

    // The object must survive until the outermost handler of its own window returns,
    // even if a handler destroys the window (close mark, end of program).
    ++self->m_dispatchDepth;
    LRESULT result = 0;
    try {
        result = self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        // No exception may leave a window procedure.
        result = self->OnDispatchError(msg);
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        LoadedForms::Remove(self);
        self->m_reader.Detach();
        self->m_labels.Attach(nullptr);
        self->m_hwnd = nullptr;
        self->m_destroyed = true;
    }
    self->LeaveDispatch();
    return result;
}

LRESULT Form::OnDispatchError(UINT msg) {
    if (msg == WM_CREATE) {
        // A window that could not make its controls is not made at all (-1 undoes it):
        // Load throws the error on to whoever asked for the window.
        m_createError = std::current_exception();
        return -1;
    }
    // Anywhere else: say what went wrong and carry on.
    try {
        throw;
    } catch (const std::exception& e) {
        ReportError(e);
    } catch (...) {
        ReportError(GlumaError("unknown error", L"程序内部错误：未知的错误"));
    }
    return 0;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsColourSchemeChange(msg, wParam)) {
        // Child controls hear of it from their form, as top-level windows do from the system.
        PassToChildren(m_hwnd, msg, wParam, lParam);
        OnColoursChanged();
    }
    LRESULT answer = 0;
    if (m_reader.Handle(msg, wParam, lParam, answer)) return answer;
    if (OnMouse(msg, lParam)) return 0;
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers everything; erasing first would flicker
    case WM_PAINT:
        Paint();
        return 0;
    case WM_CAPTURECHANGED:
        m_labels.ForgetPress();  // e.g. a drag took the mouse: no click follows
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == m_hwnd && m_labels.ShowCursor())
            return TRUE;
        break;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_COMMAND: {
        auto it = m_commandHandlers.find(LOWORD(wParam));
        if (lParam && it != m_commandHandlers.end()) {
            it->second(HIWORD(wParam));
            return 0;
        }
        break;
    }
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        auto it = m_notifyHandlers.find(static_cast<int>(hdr->idFrom));
        if (it != m_notifyHandlers.end()) return it->second(hdr);
        break;
    }
    case WM_CLOSE:
        Unload();
        return 0;
    case WM_DPICHANGED:
        OnDpiMessage(wParam, lParam);
        return 0;
    }
    return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

bool Form::OnMouse(UINT msg, LPARAM lParam) {
    for (const auto& b : kButtons) {
        if (msg != b.down && msg != b.down + 1) continue;
        const POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (msg != b.down) m_labels.Release(b.button, pt);
        else if (!m_labels.Press(b.button, pt)) OnMouseDown(b.button);  // not on a label
        return true;
    }
    return false;
}

void Form::OnDpiMessage(WPARAM wParam, LPARAM lParam) {
    // The new DPI comes with the message: the system's answer for the window may still be
    // the old one while the message is handled.
    m_dpi = LOWORD(wParam);
    const RECT& r = *reinterpret_cast<const RECT*>(lParam);
    SetWindowPos(m_hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    OnDpiChanged();
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void Form::Show() {
    // SW_SHOW keeps a minimised window minimised; it only makes the window visible.
    ShowWindow(m_hwnd, SW_SHOW);
    SetForegroundWindow(m_hwnd);
}

void Form::Unload() {
    if (!m_hwnd) return;
    bool cancel = false;
    OnUnload(cancel);
    if (!cancel) Destroy();
}

std::wstring Form::Caption() const {
    int n = GetWindowTextLengthW(m_hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(m_hwnd, &text[0], n + 1)));
    return text;
}

void Form::SetIcon(HICON small, HICON large) {
    m_icon = small;
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
}

void Form::SetPicture(SharedBitmap picture) {
    m_picture = std::move(picture);
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, FALSE);
}

void Form::Paint() {
    ScopedPaint paint(m_hwnd);
    HDC dc = paint.Get();
    RECT client;
    GetClientRect(m_hwnd, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (HBITMAP picture = Picture()) {
        BITMAP bm = {};
        GetObjectW(picture, sizeof bm, &bm);
        OwnedMemoryDC mem(CreateCompatibleDC(dc));
        ScopedSelectObject sel(mem.Get(), picture);
        BitBlt(dc, 0, 0, bm.bmWidth, bm.bmHeight, mem.Get(), 0, 0, SRCCOPY);
    }
    m_labels.Paint(dc);
}

}  // namespace tk
