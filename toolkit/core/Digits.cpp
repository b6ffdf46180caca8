#include "toolkit/core/Digits.h"

namespace tk {

std::wstring Hex(uint32_t value, int minDigits) {
    std::wstring text;
    do {
        text.insert(text.begin(), L"0123456789ABCDEF"[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    if (static_cast<int>(text.size()) < minDigits) text.insert(0, minDigits - text.size(), L'0');
    return text;
}

}  // namespace tk
