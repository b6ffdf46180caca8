#include "toolkit/Ansi.h"

#include <windows.h>

#include <climits>
#include <stdexcept>

#include "toolkit/core/CodePageFlags.h"

namespace tk {

std::string ToCodePage(unsigned codePage, std::wstring_view text, bool* lossy) {
    if (lossy) *lossy = false;
    if (text.empty()) return {};
    if (text.size() > INT_MAX / 4) throw std::length_error("text too long");
    const int n = static_cast<int>(text.size());
    // No best-fit mapping: a character that cannot be kept is reported, not approximated.
    // The size is asked with the same flags, since a best-fit look-alike may take another
    // number of bytes than the default character (the rest would stay as NUL bytes).
    const ConversionFlags how = FlagsFor(codePage, GetACP(), lossy != nullptr);
    DWORD flags = (how.noBestFit ? WC_NO_BEST_FIT_CHARS : 0) | (how.failOnLoss ? WC_ERR_INVALID_CHARS : 0);
    int bytes = WideCharToMultiByte(codePage, flags, text.data(), n, nullptr, 0, nullptr, nullptr);
    if (bytes == 0 && how.failOnLoss && GetLastError() == ERROR_NO_UNICODE_TRANSLATION) {
        *lossy = true;
        flags = 0;
        bytes = WideCharToMultiByte(codePage, flags, text.data(), n, nullptr, 0, nullptr, nullptr);
    }
    if (bytes <= 0) throw std::runtime_error("text conversion failed");
    std::string out(static_cast<size_t>(bytes), '\0');
    BOOL usedDefault = FALSE;
    int written = WideCharToMultiByte(codePage, flags, text.data(), n, &out[0], bytes, nullptr,
                                      how.reportDefaultUsed ? &usedDefault : nullptr);
    if (written <= 0) throw std::runtime_error("text conversion failed");
    out.resize(static_cast<size_t>(written));
    if (lossy && usedDefault) *lossy = true;
    return out;
}

std::wstring FromCodePage(unsigned codePage, std::string_view bytes, bool* invalid) {
    if (invalid) *invalid = false;
    if (bytes.empty()) return {};
    if (bytes.size() > INT_MAX) throw std::length_error("text too long");
    const int n = static_cast<int>(bytes.size());
    DWORD flags = invalid ? MB_ERR_INVALID_CHARS : 0;
    int chars = MultiByteToWideChar(codePage, flags, bytes.data(), n, nullptr, 0);
    if (chars == 0 && flags && GetLastError() == ERROR_NO_UNICODE_TRANSLATION) {
        *invalid = true;
        flags = 0;
        chars = MultiByteToWideChar(codePage, flags, bytes.data(), n, nullptr, 0);
    }
    if (chars <= 0) throw std::runtime_error("text conversion failed");
    std::wstring out(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(codePage, flags, bytes.data(), n, &out[0], chars);
    return out;
}

std::string ToAnsi(std::wstring_view text, bool* lossy) { return ToCodePage(CP_ACP, text, lossy); }
std::wstring FromAnsi(std::string_view text) { return FromCodePage(CP_ACP, text); }

}  // namespace tk
