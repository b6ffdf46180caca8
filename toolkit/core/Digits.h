#pragma once
// Whole numbers as text. The program's few numbers in messages and names are written
// here rather than by the printf family, whose formatting engine (floating point
// included) would be a tenth of the program's size.
#include <cstdint>
#include <string>

namespace tk {

// Decimal digits, with a minus sign when negative ("-42", "0", "65536").
template <class Char>
std::basic_string<Char> Decimal(int64_t value) {
    // Counted in the unsigned type so that the most negative value has a magnitude too.
    uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    Char digits[20];
    int n = 0;
    do {
        digits[n++] = static_cast<Char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    std::basic_string<Char> text;
    if (value < 0) text += static_cast<Char>('-');
    while (n > 0) text += digits[--n];
    return text;
}

// Upper-case hexadecimal digits, zero-padded on the left to at least minDigits ("00FF").
std::wstring Hex(uint32_t value, int minDigits);

}  // namespace tk
