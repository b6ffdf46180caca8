// The Windows test program: runs under Wine (or on Windows) on the desktop it is given.
#include <gtest/gtest.h>

#include "toolkit/Application.h"

int main(int argc, char** argv) {
    tk::InitProcess();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
