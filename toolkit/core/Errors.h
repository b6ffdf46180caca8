#pragma once
// The errors the program raises with a text in its own language, so the window-procedure
// boundary can show them as they are: the two that the imaging code raises instead of
// wrapping a number or touching memory outside a picture, and the toolkit's own.
#include <memory>
#include <stdexcept>
#include <string>

namespace tk {

class GlumaError : public std::runtime_error {
public:
    GlumaError(const char* what, std::wstring userText)
        : std::runtime_error(what), m_userText(std::make_shared<const std::wstring>(std::move(userText))) {}
    const wchar_t* UserText() const noexcept { return m_userText->c_str(); }

private:
    // Shared, so that copying the error (as throwing may) cannot fail.
    std::shared_ptr<const std::wstring> m_userText;
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
