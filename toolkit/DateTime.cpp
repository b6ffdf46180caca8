#include "toolkit/DateTime.h"

namespace tk {
namespace {
// Both functions report the length they need, the terminating NUL included.
template <class Fn>
std::wstring Formatted(Fn format) {
    int n = format(nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring text(static_cast<size_t>(n), L'\0');
    n = format(&text[0], n);
    text.resize(n > 0 ? static_cast<size_t>(n - 1) : 0);
    return text;
}
}  // namespace

std::wstring FormatShortDate(const SYSTEMTIME& st) {
    return Formatted([&](wchar_t* buf, int size) {
        return GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, buf, size);
    });
}

std::wstring FormatTime(const SYSTEMTIME& st) {
    return Formatted([&](wchar_t* buf, int size) {
        return GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, buf, size);
    });
}

}  // namespace tk
