#include "toolkit/Ansi.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

namespace tk {

std::string ToAnsi(std::wstring_view text, bool* lossy) {
    if (lossy) *lossy = false;
    if (text.empty()) return {};
    if (text.size() > INT_MAX / 4) throw std::length_error("text too long");
    int n = static_cast<int>(text.size());
    // No best-fit mapping: a character that cannot be kept is reported, not approximated.
    // The size is asked with the same flags, since a best-fit look-alike may take another
    // number of bytes than the default character (the rest would stay as NUL bytes).
    int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), n, nullptr, 0,
                                    nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    BOOL usedDefault = FALSE;
    int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), n, &out[0],
                                      bytes, nullptr, lossy ? &usedDefault : nullptr);
    if (bytes <= 0 || written <= 0) throw std::runtime_error("text conversion to ANSI failed");
    out.resize(static_cast<size_t>(written));
    if (lossy) *lossy = usedDefault != FALSE;
    return out;
}

std::wstring FromAnsi(std::string_view text) {
    if (text.empty()) return {};
    if (text.size() > INT_MAX) throw std::length_error("text too long");
    int n = static_cast<int>(text.size());
    int chars = MultiByteToWideChar(CP_ACP, 0, text.data(), n, nullptr, 0);
    std::wstring out(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), n, &out[0], chars);
    return out;
}

}  // namespace tk
