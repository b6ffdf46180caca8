// The Windows test program: runs under Wine (or on Windows) on the desktop it is given.
#include <gtest/gtest.h>

#include "WinTestUtil.h"
#include "toolkit/Application.h"
#include "toolkit/SystemColours.h"

// Neither Wine nor a test machine can be switched to high contrast at will: the tests say
// whether it is on (linked here in place of the program's own question).
bool wintest::g_highContrast = false;
bool tk::HighContrastOn() { return wintest::g_highContrast; }

int main(int argc, char** argv) {
    tk::InitProcess();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
