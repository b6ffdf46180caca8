#pragma once
// The two errors that the imaging code raises to its caller instead of wrapping a number
// or touching memory outside a picture. They carry a text in the program's language, so
// the window-procedure boundary can show them as they are.
#include <stdexcept>

namespace tk {

class GlumaError : public std::runtime_error {
public:
    GlumaError(const char* what, const wchar_t* userText)
        : std::runtime_error(what), m_userText(userText) {}
    const wchar_t* UserText() const noexcept { return m_userText; }

private:
    const wchar_t* m_userText;  // a string literal; we don't own it
};

class OverflowError : public GlumaError {
public:
    OverflowError() : GlumaError("overflow", L"溢出") {}
};

class IndexOutOfRangeError : public GlumaError {
public:
    IndexOutOfRangeError() : GlumaError("index out of range", L"下标越界") {}
};

}  // namespace tk
