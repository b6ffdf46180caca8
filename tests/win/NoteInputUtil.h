#pragma once
// Input for the note tests that needs no note: dates and times, and keys typed into a
// date or time picker as a user types them.
#include <windows.h>

namespace notetest {

inline SYSTEMTIME At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
    SYSTEMTIME st = {};
    st.wYear = static_cast<WORD>(y);
    st.wMonth = static_cast<WORD>(mo);
    st.wDay = static_cast<WORD>(d);
    st.wHour = static_cast<WORD>(h);
    st.wMinute = static_cast<WORD>(mi);
    st.wSecond = static_cast<WORD>(s);
    // The day of the week, as the system clock gives it.
    FILETIME ft;
    SystemTimeToFileTime(&st, &ft);
    FileTimeToSystemTime(&ft, &st);
    return st;
}

// A key typed into a picker's first field (years of a date, hours of a time), which a
// press on it selects first.
inline void TypeInPicker(HWND picker, UINT key) {
    SetFocus(picker);
    UpdateWindow(picker);  // the picker finds its fields when it draws them
    SendMessageW(picker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 8));
    SendMessageW(picker, WM_LBUTTONUP, 0, MAKELPARAM(4, 8));
    SendMessageW(picker, WM_KEYDOWN, key, 0);
    SendMessageW(picker, WM_KEYUP, key, 0);
}

}  // namespace notetest
