#pragma once
// A date or time-of-day picker (the common control SysDateTimePick32) on a form.
//
// The control itself is made the first time the picker is shown: a picker that is never
// shown costs no window (under Wine each one also keeps a hidden calendar window), and its
// value is kept here until then.
#include <windows.h>

#include <functional>
#include <string>

namespace tk {

class Form;

enum class PickerKind {
    Date,  // short date, drop-down calendar; its value carries no time of day
    Time,  // hours and minutes with spin buttons
};

struct DatePickerArgs {
    int id = 0;
    RECT rect{};            // in the parent's client pixels
    PickerKind kind = PickerKind::Date;
    HFONT font = nullptr;   // we don't own it; it must outlive the picker
    bool visible = true;
    std::wstring name;      // what a screen reader calls it (a hidden label before it)
    std::function<bool(UINT key)> onKey;  // a key the parent takes first; true: taken
};

class DatePicker {
public:
    DatePicker() = default;
    DatePicker(const DatePicker&) = delete;
    DatePicker& operator=(const DatePicker&) = delete;

    // Call from the parent's OnCreate. A visible picker's control is made at once, a
    // hidden one's when it is first shown.
    void Create(Form& parent, const DatePickerArgs& args);
    // Null while the control has not been made.
    HWND Handle() const { return m_hwnd; }

    // A date picker's value is the chosen day at 00:00:00; a time picker's value keeps
    // the day it was given and the chosen hours and minutes.
    SYSTEMTIME Value() const;
    void SetValue(const SYSTEMTIME& value);
    bool Visible() const;
    void SetVisible(bool visible);
    // Another place (the parent's client pixels) and font, for the control made now or later.
    void SetLayout(const RECT& rect, HFONT font);

    // Runs when the user changes the value (not when SetValue does).
    void OnChange(std::function<void()> handler) { m_onChange = std::move(handler); }

private:
    void MakeControl();
    LRESULT OnNotify(NMHDR* hdr);

    Form* m_parent = nullptr;  // we don't own it
    DatePickerArgs m_args;
    HWND m_hwnd = nullptr;     // child of the form, destroyed with it
    SYSTEMTIME m_value{};      // the value last set or reported: the control's, or ours until it exists
    std::function<void()> m_onChange;
};

}  // namespace tk
