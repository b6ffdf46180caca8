#include "toolkit/DatePicker.h"

#include <commctrl.h>

#include "toolkit/Accessible.h"
#include "toolkit/Application.h"
#include "toolkit/ControlKeys.h"
#include "toolkit/CreateFailure.h"
#include "toolkit/Dpi.h"
#include "toolkit/Form.h"

namespace tk {
namespace {

SYSTEMTIME Normalised(SYSTEMTIME st, PickerKind kind) {
    // The control keeps whatever time of day it was given; a date is a day, nothing more.
    if (kind == PickerKind::Date) st.wHour = st.wMinute = st.wSecond = 0;
    st.wMilliseconds = 0;
    return st;
}

bool SameValue(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond;
}

}  // namespace

void DatePicker::Create(Form& parent, const DatePickerArgs& args) {
    m_parent = &parent;
    m_args = args;
    GetLocalTime(&m_value);  // what a new control shows
    m_value = Normalised(m_value, args.kind);
    parent.OnControlNotify(args.id, [this](NMHDR* hdr) { return OnNotify(hdr); });
    if (args.visible) SetVisible(true);
}

void DatePicker::MakeControl() {
    const RECT& r = m_args.rect;
    DWORD style = WS_CHILD | WS_TABSTOP;
    style |= m_args.kind == PickerKind::Date ? DTS_SHORTDATEFORMAT : DTS_TIMEFORMAT | DTS_UPDOWN;
    LoadCommonControls();
    if (!m_args.name.empty()) AddHiddenLabel(m_parent->Handle(), m_args.name);
    m_hwnd = RequireCreated(CreateWindowExW(0, DATETIMEPICK_CLASSW, L"", style, r.left, r.top, r.right - r.left,
                                            r.bottom - r.top, m_parent->Handle(),
                                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_args.id)), Instance(), nullptr),
                            L"日期时间选择器 (SysDateTimePick32)");
    if (m_args.font) SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_args.font), FALSE);
    // Only hours and minutes count; seconds in the field would only mislead.
    if (m_args.kind == PickerKind::Time) SendMessageW(m_hwnd, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH':'mm"));
    SendMessageW(m_hwnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&m_value));
    if (m_args.onKey) TakeKeys(m_hwnd, m_args.onKey);
}

SYSTEMTIME DatePicker::Value() const {
    if (!m_hwnd) return m_value;
    SYSTEMTIME st = {};
    SendMessageW(m_hwnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return Normalised(st, m_args.kind);
}

void DatePicker::SetValue(const SYSTEMTIME& value) {
    m_value = Normalised(value, m_args.kind);
    if (m_hwnd) {
        SendMessageW(m_hwnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&m_value));
        m_value = Value();
    }
}

bool DatePicker::Visible() const { return m_hwnd && (GetWindowLongPtrW(m_hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

void DatePicker::SetVisible(bool visible) {
    if (visible && !m_hwnd) MakeControl();
    if (m_hwnd) ShowWindow(m_hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void DatePicker::SetLayout(const RECT& rect, HFONT font) {
    m_args.rect = rect;
    m_args.font = font;
    if (m_hwnd) PlaceControl(m_hwnd, rect, font);
}

LRESULT DatePicker::OnNotify(NMHDR* hdr) {
    if (hdr->code != DTN_DATETIMECHANGE) return 0;
    // The control also reports when a drop-down closes on the same day: only a new value
    // is a change.
    SYSTEMTIME now = Value();
    if (SameValue(now, m_value)) return 0;
    m_value = now;
    if (m_onChange) m_onChange();
    return 0;
}

}  // namespace tk
