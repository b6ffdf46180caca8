#include "toolkit/DrawnLabels.h"

#include <commctrl.h>

#include "toolkit/Application.h"
#include "toolkit/CreateFailure.h"
#include "toolkit/Gdi.h"

namespace tk {

void DrawnLabels::Invalidate(const RECT* rect) const {
    if (m_hwnd) InvalidateRect(m_hwnd, rect, FALSE);
}

Label& DrawnLabels::Add(const LabelArgs& args) {
    m_labels.push_back(std::make_unique<Label>(args));
    Label& label = *m_labels.back();
    if (!args.tooltip.empty()) AddTooltip(label);
    Invalidate(&label.Rect());
    return label;
}

void DrawnLabels::SetCaption(Label& label, std::wstring caption) {
    label.m_args.caption = std::move(caption);
    // The label is transparent: repaint what lies behind it too.
    Invalidate(&label.Rect());
}

void DrawnLabels::SetLayout(Label& label, const RECT& rect, HFONT font) {
    Invalidate(&label.Rect());
    label.m_args.rect = rect;
    label.m_args.font = font;
    Invalidate(&rect);
    if (!m_tooltip || label.m_args.tooltip.empty()) return;
    TTTOOLINFOW ti = {};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.hwnd = m_hwnd;
    for (std::size_t i = 0; i < m_labels.size(); ++i)
        if (m_labels[i].get() == &label) ti.uId = i + 1;  // as AddTooltip numbered it
    ti.rect = rect;
    SendMessageW(m_tooltip, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void DrawnLabels::SetColour(Label& label, COLORREF colour) {
    label.m_args.color = colour;
    Invalidate(&label.Rect());
}

void DrawnLabels::SetLines(std::vector<Line> lines) {
    m_lines = std::move(lines);
    Invalidate(nullptr);
}

void DrawnLabels::SetInk(COLORREF ink) {
    m_ink = ink;
    Invalidate(nullptr);
}

void DrawnLabels::AddTooltip(const Label& label) {
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

void DrawnLabels::Paint(HDC dc) const {
    const COLORREF ink = m_ink == CLR_INVALID ? GetSysColor(COLOR_WINDOWTEXT) : m_ink;
    for (const Line& line : m_lines) {
        ScopedGdiObject<HPEN> pen(CreatePen(PS_SOLID, line.width, line.color == CLR_INVALID ? ink : line.color));
        ScopedSelectObject sel(dc, pen.Get());
        MoveToEx(dc, line.from.x, line.from.y, nullptr);
        LineTo(dc, line.to.x, line.to.y);
    }
    SetBkMode(dc, TRANSPARENT);
    for (const auto& label : m_labels) {
        const LabelArgs& a = label->m_args;
        if (a.caption.empty()) continue;
        HFONT font = a.font ? a.font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        ScopedSelectObject sel(dc, font);
        SetTextColor(dc, a.color == CLR_INVALID ? ink : a.color);
        RECT r = a.rect;
        DrawTextW(dc, a.caption.c_str(), static_cast<int>(a.caption.size()), &r, a.format);
    }
}

Label* DrawnLabels::At(POINT pt) const {
    for (auto it = m_labels.rbegin(); it != m_labels.rend(); ++it)
        if (PtInRect(&(*it)->Rect(), pt)) return it->get();
    return nullptr;
}

bool DrawnLabels::Press(int button, POINT pt) {
    Label* label = At(pt);
    if (!label) return false;
    m_pressed = label;
    m_pressedButton = button;
    // Capture so the release is seen even off the label; the label's own handler may hand
    // the mouse to a move loop instead (the form then forgets the press).
    SetCapture(m_hwnd);
    if (label->m_args.onMouseDown) label->m_args.onMouseDown(button);
    return true;
}

void DrawnLabels::Release(int button, POINT pt) {
    Label* label = m_pressed;
    if (!label || button != m_pressedButton) return;
    ForgetPress();
    if (GetCapture() == m_hwnd) ReleaseCapture();
    if (button == kLeftButton && At(pt) == label && label->m_args.onClick) label->m_args.onClick();
}

bool DrawnLabels::ShowCursor() const {
    POINT pt;
    GetCursorPos(&pt);
    ScreenToClient(m_hwnd, &pt);
    Label* label = At(pt);
    if (!label || !label->m_args.cursor) return false;
    ::SetCursor(label->m_args.cursor);
    return true;
}

}  // namespace tk
