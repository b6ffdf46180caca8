#include <gtest/gtest.h>

#include "toolkit/core/CodePageFlags.h"

// Under the UTF-8 ANSI code page, conversions to CP_ACP (0) ask as UTF-8 wants to be asked:
// n = no best fit, d = a used-default report, e = fail on a loss.
TEST(CodePageFlags, FollowTheCodePageThatCpAcpIs) {
    const struct { unsigned codePage, ansi; bool loss; const char* flags; } cases[] = {
        {0, 936, false, "n"}, {0, 936, true, "nd"}, {0, 1252, true, "nd"}, {0, 65001, false, ""},
        {0, 65001, true, "e"}, {65001, 936, true, "e"}, {936, 65001, true, "nd"}, {0, 54936, true, "e"}};
    for (const auto& c : cases) {
        tk::ConversionFlags f = tk::FlagsFor(c.codePage, c.ansi, c.loss);
        EXPECT_EQ(std::string(f.noBestFit ? "n" : "") + (f.reportDefaultUsed ? "d" : "") + (f.failOnLoss ? "e" : ""),
                  c.flags) << c.codePage << " under " << c.ansi;
    }
}
