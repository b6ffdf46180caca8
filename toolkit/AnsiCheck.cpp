#include "toolkit/AnsiCheck.h"

#include <windows.h>

#include <algorithm>
#include <bitset>
#include <memory>

#include "toolkit/core/CodePageFlags.h"

namespace tk {
namespace {

bool FitsIn(unsigned codePage, std::wstring_view character) {
    char bytes[16];
    const int n = static_cast<int>(character.size());
    const ConversionFlags how = FlagsFor(codePage, GetACP(), true);
    DWORD flags = (how.noBestFit ? WC_NO_BEST_FIT_CHARS : 0) | (how.failOnLoss ? WC_ERR_INVALID_CHARS : 0);
    BOOL usedDefault = FALSE;
    int written = WideCharToMultiByte(codePage, flags, character.data(), n, bytes, sizeof bytes, nullptr,
                                      how.reportDefaultUsed ? &usedDefault : nullptr);
    return written > 0 && !usedDefault;
}

// The length of the character that starts at i: a surrogate pair is one character.
std::size_t CharacterLength(std::wstring_view text, std::size_t i) {
    wchar_t c = text[i];
    bool high = c >= 0xD800 && c <= 0xDBFF;
    bool lowNext = i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    return high && lowNext ? 2 : 1;
}

}  // namespace

std::vector<std::wstring> CharactersNotIn(unsigned codePage, std::wstring_view text, std::size_t max) {
    std::vector<std::wstring> lost;
    // Each character of the Basic Multilingual Plane is asked about once, however often it
    // occurs; the rest are few and kept in the list.
    auto seen = std::make_unique<std::bitset<0x10000>>();
    for (std::size_t i = 0; i < text.size() && lost.size() < max;) {
        std::size_t length = CharacterLength(text, i);
        std::wstring_view character = text.substr(i, length);
        i += length;
        if (length == 1) {
            if (seen->test(character[0])) continue;
            seen->set(character[0]);
        } else if (std::find(lost.begin(), lost.end(), character) != lost.end()) {
            continue;
        }
        if (!FitsIn(codePage, character)) lost.emplace_back(character);
    }
    return lost;
}

}  // namespace tk
