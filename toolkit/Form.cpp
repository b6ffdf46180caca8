#include "toolkit/Form.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cassert>
#include <utility>

#include "toolkit/Application.h"
#include "toolkit/CreateFailure.h"
#include "toolkit/LoadedForms.h"
#include "toolkit/Screen.h"
#include "toolkit/SystemColours.h"
#include "toolkit/core/Errors.h"
#include "toolkit/core/Rounding.h"

namespace tk {
namespace {

const wchar_t kFormClass[] = L"GlumaNoteForm";

int ShiftState() {
    int shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= 1;
    if (GetKeyState(VK_CONTROL) < 0) shift |= 2;
    if (GetKeyState(VK_MENU) < 0) shift |= 4;
    return shift;
}

int ButtonsFromKeys(WPARAM keys) {
    int buttons = 0;
    if (keys & MK_LBUTTON) buttons |= kLeftButton;
    if (keys & MK_RBUTTON) buttons |= kRightButton;
    if (keys & MK_MBUTTON) buttons |= kMiddleButton;
    return buttons;
}

}  // namespace

Form::Form(const FormStyle& style) : m_style(style), m_scaleMode(style.scaleMode) {}

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
    RECT r = {0, 0, Scale(m_style.clientWidth, dpi), Scale(m_style.clientHeight, dpi)};
    AdjustWindowRectForDpi(r, m_style.style, m_style.exStyle, dpi);
    HWND hwnd = CreateWindowExW(m_style.exStyle, kFormClass, L"", m_style.style | WS_CLIPCHILDREN,
                                CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                                nullptr, nullptr, Instance(), this);
    if (!hwnd && m_createError) std::rethrow_exception(std::exchange(m_createError, nullptr));
    RequireCreated(hwnd, L"窗口 (GlumaNoteForm)");
    m_ownedByWindow = true;
    if (m_dpi != dpi) {
        r = RECT{0, 0, Scale(m_style.clientWidth, m_dpi), Scale(m_style.clientHeight, m_dpi)};
        AdjustWindowRectForDpi(r, m_style.style, m_style.exStyle, m_dpi);
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
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // WM_PAINT covers everything; erasing first would flicker
    case WM_PAINT:
        Paint();
        return 0;
    case WM_LBUTTONDOWN:
        if (OnButtonDown(kLeftButton, wParam, lParam)) return 0;
        break;
    case WM_RBUTTONDOWN:
        if (OnButtonDown(kRightButton, wParam, lParam)) return 0;
        break;
    case WM_MBUTTONDOWN:
        if (OnButtonDown(kMiddleButton, wParam, lParam)) return 0;
        break;
    case WM_LBUTTONUP:
        OnButtonUp(kLeftButton, lParam);
        return 0;
    case WM_RBUTTONUP:
        OnButtonUp(kRightButton, lParam);
        return 0;
    case WM_MBUTTONUP:
        OnButtonUp(kMiddleButton, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        m_pressedLabel = nullptr;  // e.g. a drag took the mouse: no click follows
        m_pressedButton = 0;
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(ButtonsFromKeys(wParam), ShiftState(), ToUnitX(GET_X_LPARAM(lParam)),
                    ToUnitY(GET_Y_LPARAM(lParam)));
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == m_hwnd && OnSetCursor())
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
    case WM_DPICHANGED: {
        // The new DPI comes with the message: the system's answer for the window may still
        // be the old one while the message is handled.
        m_dpi = LOWORD(wParam);
        const RECT& r = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(m_hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        OnDpiChanged();
        InvalidateRect(m_hwnd, nullptr, FALSE);
        return 0;
    }
    }
    return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

void Form::Show() {
    // SW_SHOW keeps a minimised window minimised; it only makes the window visible.
    ShowWindow(m_hwnd, SW_SHOW);
    SetForegroundWindow(m_hwnd);
}

void Form::Hide() { ShowWindow(m_hwnd, SW_HIDE); }

void Form::Minimise() { ShowWindow(m_hwnd, SW_MINIMIZE); }

bool Form::IsVisible() const { return m_hwnd && IsWindowVisible(m_hwnd); }

bool Form::IsMinimised() const { return m_hwnd && IsIconic(m_hwnd); }

void Form::Unload() {
    if (!m_hwnd) return;
    bool cancel = false;
    OnUnload(cancel);
    if (!cancel) Destroy();
}

void Form::Destroy() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

std::wstring Form::Caption() const {
    int n = GetWindowTextLengthW(m_hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(m_hwnd, &text[0], n + 1)));
    return text;
}

void Form::SetCaption(const std::wstring& text) { SetWindowTextW(m_hwnd, text.c_str()); }

void Form::SetIcon(HICON small, HICON large) {
    m_icon = small;
    SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
}

void Form::SetPicture(SharedBitmap picture) {
    m_picture = std::move(picture);
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, FALSE);
}

double Form::TwipsPerPixel() const { return tk::TwipsPerPixel(m_dpi); }

double Form::OuterWidthTwips() const {
    RECT r;
    GetWindowRect(m_hwnd, &r);
    return (r.right - r.left) * TwipsPerPixel();
}

double Form::OuterHeightTwips() const {
    RECT r;
    GetWindowRect(m_hwnd, &r);
    return (r.bottom - r.top) * TwipsPerPixel();
}

void Form::SetOuterSizeTwips(double width, double height) {
    int w = RoundHalfEven(width / TwipsPerPixel());
    int h = RoundHalfEven(height / TwipsPerPixel());
    SetWindowPos(m_hwnd, nullptr, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

double Form::ClientWidth() const {
    RECT r;
    GetClientRect(m_hwnd, &r);
    return ToUnitX(r.right);
}

double Form::ClientHeight() const {
    RECT r;
    GetClientRect(m_hwnd, &r);
    return ToUnitY(r.bottom);
}

double Form::ToUnitX(double pixels) const {
    return m_scaleMode == ScaleMode::Twips ? pixels * TwipsPerPixel() : pixels;
}

double Form::ToUnitY(double pixels) const {
    return m_scaleMode == ScaleMode::Twips ? pixels * TwipsPerPixel() : pixels;
}

Label& Form::AddLabel(const LabelArgs& args) {
    m_labels.push_back(std::make_unique<Label>(args));
    Label& label = *m_labels.back();
    if (!args.tooltip.empty()) AddLabelTooltip(label);
    if (m_hwnd) InvalidateRect(m_hwnd, &label.Rect(), FALSE);
    return label;
}

Line& Form::AddLine(const Line& line) {
    m_lines.push_back(line);
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, FALSE);
    return m_lines.back();
}

void Form::SetLabelCaption(Label& label, std::wstring caption) {
    label.m_args.caption = std::move(caption);
    // The label is transparent: repaint what lies behind it too.
    if (m_hwnd) InvalidateRect(m_hwnd, &label.Rect(), FALSE);
}

void Form::SetLabelLayout(Label& label, const RECT& rect, HFONT font) {
    if (m_hwnd) InvalidateRect(m_hwnd, &label.Rect(), FALSE);
    label.m_args.rect = rect;
    label.m_args.font = font;
    if (m_hwnd) InvalidateRect(m_hwnd, &rect, FALSE);
    if (!m_tooltip || label.m_args.tooltip.empty()) return;
    TTTOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = m_hwnd;
    for (std::size_t i = 0; i < m_labels.size(); ++i)
        if (m_labels[i].get() == &label) ti.uId = i + 1;  // as AddLabelTooltip numbered it
    ti.rect = rect;
    SendMessageW(m_tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void Form::SetLines(std::vector<Line> lines) {
    m_lines = std::move(lines);
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, FALSE);
}

void Form::SetLabelColour(Label& label, COLORREF colour) {
    label.m_args.color = colour;
    if (m_hwnd) InvalidateRect(m_hwnd, &label.Rect(), FALSE);
}

void Form::SetLabelCursor(Label& label, HCURSOR cursor) { label.m_args.cursor = cursor; }

void Form::SetInk(COLORREF ink) {
    m_ink = ink;
    if (m_hwnd) InvalidateRect(m_hwnd, nullptr, FALSE);
}

void Form::OnControlCommand(int id, std::function<void(int)> handler) {
    m_commandHandlers[id] = std::move(handler);
}

void Form::OnControlNotify(int id, std::function<LRESULT(NMHDR*)> handler) {
    m_notifyHandlers[id] = std::move(handler);
}

void Form::AddLabelTooltip(const Label& label) {
    if (!m_tooltip) {
        LoadCommonControls();
        m_tooltip = RequireCreated(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                                   WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                                   CW_USEDEFAULT, CW_USEDEFAULT, m_hwnd, nullptr, Instance(), nullptr),
                                   L"提示框 (tooltips_class32)");
    }
    TTTOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_SUBCLASS;
    ti.hwnd = m_hwnd;
    ti.uId = m_labels.size();
    ti.rect = label.Rect();
    ti.lpszText = const_cast<wchar_t*>(label.Args().tooltip.c_str());
    SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
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
    const COLORREF ink = m_ink == CLR_INVALID ? GetSysColor(COLOR_WINDOWTEXT) : m_ink;
    for (const Line& line : m_lines) {
        ScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, line.width, line.color == CLR_INVALID ? ink : line.color));
        ScopedSelectObject sel(dc, pen.Get());
        MoveToEx(dc, line.from.x, line.from.y, nullptr);
        LineTo(dc, line.to.x, line.to.y);
    }
    SetBkMode(dc, TRANSPARENT);
    for (const auto& label : m_labels) {
        if (!label->m_visible || label->m_args.caption.empty()) continue;
        const LabelArgs& a = label->m_args;
        HFONT font = a.font ? a.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        ScopedSelectObject sel(dc, font);
        SetTextColor(dc, a.color == CLR_INVALID ? ink : a.color);
        RECT r = a.rect;
        DrawTextW(dc, a.caption.c_str(), static_cast<int>(a.caption.size()), &r, a.format);
    }
}

Label* Form::LabelAt(POINT pt) {
    // Later labels lie on top of earlier ones.
    for (auto it = m_labels.rbegin(); it != m_labels.rend(); ++it) {
        if ((*it)->m_visible && PtInRect(&(*it)->Rect(), pt)) return it->get();
    }
    return nullptr;
}

bool Form::OnButtonDown(int button, WPARAM wParam, LPARAM lParam) {
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (Label* label = LabelAt(pt)) {
        m_pressedLabel = label;
        m_pressedButton = button;
        // Capture so the release is seen even off the label; the label's own handler may
        // hand the mouse to a move loop instead (WM_CAPTURECHANGED clears the press).
        SetCapture(m_hwnd);
        if (label->m_args.onMouseDown) label->m_args.onMouseDown(button);
        return true;
    }
    OnMouseDown(button, ShiftState(), ToUnitX(pt.x), ToUnitY(pt.y));
    (void)wParam;
    return true;
}

void Form::OnButtonUp(int button, LPARAM lParam) {
    Label* label = m_pressedLabel;
    bool sameButton = button == m_pressedButton;
    if (!label || !sameButton) return;
    m_pressedLabel = nullptr;
    m_pressedButton = 0;
    if (GetCapture() == m_hwnd) ReleaseCapture();
    POINT pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (button == kLeftButton && LabelAt(pt) == label && label->m_args.onClick) label->m_args.onClick();
}

bool Form::OnSetCursor() {
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(m_hwnd, &pt);
    Label* label = LabelAt(pt);
    if (!label || !label->m_args.cursor) return false;
    SetCursor(label->m_args.cursor);
    return true;
}

}  // namespace tk
