#include <gtest/gtest.h>

#include <climits>

#include "toolkit/core/Digits.h"

TEST(Digits, DecimalAndHexOfTheEdges) {
    const struct { int64_t value; const char* text; } decimals[] = {
        {0, "0"}, {7, "7"}, {-7, "-7"}, {65536, "65536"}, {4294967295, "4294967295"},
        {INT64_MAX, "9223372036854775807"}, {INT64_MIN, "-9223372036854775808"}};
    for (const auto& c : decimals) {
        EXPECT_EQ(tk::Decimal<char>(c.value), c.text);
        EXPECT_EQ(tk::Decimal<wchar_t>(c.value), std::wstring(c.text, c.text + strlen(c.text)));
    }
    const struct { uint32_t value; int width; const wchar_t* text; } hexes[] = {
        {0, 0, L"0"}, {0, 4, L"0000"}, {0xA, 4, L"000A"}, {0x1F600, 4, L"1F600"},
        {0xFFFFFFFF, 8, L"FFFFFFFF"}, {0x1234, 8, L"00001234"}, {0xBEEF, 1, L"BEEF"}, {0x1234, 10, L"0000001234"}};
    for (const auto& c : hexes) EXPECT_EQ(tk::Hex(c.value, c.width), c.text) << c.value;
}
