#include "toolkit/core/Digits.h"

namespace tk {

std::wstring Hex(uint32_t value, int minDigits) {
    std::wstring text;
    for (int shift = 28; shift >= 0; shift -= 4) {
        unsigned digit = (value >> shift) & 0xF;
        // Leading zeros beyond the width are left out; the last digit never is.
        if (text.empty() && digit == 0 && shift > 0 && shift >= 4 * minDigits) continue;
        text += L"0123456789ABCDEF"[digit];
    }
    return text;
}

}  // namespace tk
