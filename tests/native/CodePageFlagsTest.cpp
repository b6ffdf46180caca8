#include <gtest/gtest.h>

#include "toolkit/core/CodePageFlags.h"

// Under the UTF-8 ANSI code page, conversions to CP_ACP ask as UTF-8 wants to be asked.
TEST(CodePageFlags, FollowTheCodePageThatCpAcpIs) {
    const struct { unsigned codePage, ansi; bool loss, noBestFit, usedDefault, failOnLoss; } cases[] = {
        {0, 936, false, true, false, false}, {0, 936, true, true, true, false},
        {0, 1252, true, true, true, false}, {0, 65001, false, false, false, false},
        {0, 65001, true, false, false, true}, {65001, 936, true, false, false, true},
        {936, 65001, true, true, true, false}, {0, 54936, true, false, false, true},
    };
    for (const auto& c : cases) {
        tk::ConversionFlags f = tk::FlagsFor(c.codePage, c.ansi, c.loss);
        EXPECT_EQ(f.noBestFit, c.noBestFit) << c.codePage << " " << c.ansi;
        EXPECT_EQ(f.reportDefaultUsed, c.usedDefault) << c.codePage << " " << c.ansi;
        EXPECT_EQ(f.failOnLoss, c.failOnLoss) << c.codePage << " " << c.ansi;
    }
}
