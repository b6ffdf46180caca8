#pragma once
// Dates and times as the user's regional settings write them.
#include <windows.h>

#include <string>

namespace tk {

// The date part in the user's short date format (2026/12/6 on a Chinese system).
std::wstring FormatShortDate(const SYSTEMTIME& st);
// The time of day in the user's time format (18:12:05 on a Chinese system).
std::wstring FormatTime(const SYSTEMTIME& st);

}  // namespace tk
