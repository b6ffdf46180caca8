#include "toolkit/DatePicker.h"

#include <commctrl.h>

#include <stdexcept>

#include "toolkit/Application.h"
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
    m_kind = args.kind;
    DWORD style = WS_CHILD | WS_TABSTOP | (args.visible ? WS_VISIBLE : 0);
    style |= args.kind == PickerKind::Date ? DTS_SHORTDATEFORMAT : DTS_TIMEFORMAT | DTS_UPDOWN;
    LoadCommonControls();
    m_hwnd = CreateWindowExW(0, DATETIMEPICK_CLASSW, L"", style, args.rect.left, args.rect.top,
                             args.rect.right - args.rect.left, args.rect.bottom - args.rect.top, parent.Handle(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), Instance(), nullptr);
    if (!m_hwnd) throw std::runtime_error("CreateWindowEx(SysDateTimePick32) failed");
    if (args.font) SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(args.font), FALSE);
    // Only hours and minutes count; seconds in the field would only mislead.
    if (args.kind == PickerKind::Time) SendMessageW(m_hwnd, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"HH':'mm"));
    m_last = Value();
    parent.OnControlNotify(args.id, [this](NMHDR* hdr) { return OnNotify(hdr); });
}

SYSTEMTIME DatePicker::Value() const {
    SYSTEMTIME st = {};
    SendMessageW(m_hwnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return Normalised(st, m_kind);
}

void DatePicker::SetValue(const SYSTEMTIME& value) {
    SYSTEMTIME st = Normalised(value, m_kind);
    SendMessageW(m_hwnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
    m_last = Value();
}

bool DatePicker::Visible() const { return (GetWindowLongPtrW(m_hwnd, GWL_STYLE) & WS_VISIBLE) != 0; }

void DatePicker::SetVisible(bool visible) { ShowWindow(m_hwnd, visible ? SW_SHOWNA : SW_HIDE); }

LRESULT DatePicker::OnNotify(NMHDR* hdr) {
    if (hdr->code != DTN_DATETIMECHANGE) return 0;
    // The control also reports when a drop-down closes on the same day: only a new value
    // is a change.
    SYSTEMTIME now = Value();
    if (SameValue(now, m_last)) return 0;
    m_last = now;
    if (m_onChange) m_onChange();
    return 0;
}

}  // namespace tk
