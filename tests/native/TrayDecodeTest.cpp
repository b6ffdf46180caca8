#include <gtest/gtest.h>

#include <string>

#include "shell/core/TrayDecode.h"
#include "shell/core/TrayTip.h"
#include "toolkit/core/Errors.h"

namespace {

using shell::TrayAction;
using shell::TrayActionForCode;
using shell::TrayCodeFromX;

TEST(TrayDecode, OnlyDoubleClickAndRightReleaseAct) {
    EXPECT_EQ(TrayActionForCode(0x0203), TrayAction::NewNote);
    EXPECT_EQ(TrayActionForCode(0x0205), TrayAction::PopupMenu);
    // Movement, left down/up, right down, right double-click, middle button, wheel.
    for (int code : {0x0200, 0x0201, 0x0202, 0x0204, 0x0206, 0x0207, 0x0208, 0x0209, 0x020A, 0, -515, 0x0403})
        EXPECT_EQ(TrayActionForCode(code), TrayAction::None) << std::hex << code;
}

TEST(TrayDecode, TwipsAreDividedByTwipsPerPixel) {
    for (int code : {0x0200, 0x0201, 0x0202, 0x0203, 0x0204, 0x0205, 0x0206, 0x0207, 0x0208, 0x0209}) {
        EXPECT_EQ(TrayCodeFromX(code * 15.0, false, 15.0), code);
        EXPECT_EQ(TrayCodeFromX(code * 10.0, false, 10.0), code);
        EXPECT_EQ(TrayCodeFromX(code * 12.0, false, 12.0), code);
    }
    EXPECT_EQ(TrayActionForCode(TrayCodeFromX(7725.0, false, 15.0)), TrayAction::NewNote);
    EXPECT_EQ(TrayActionForCode(TrayCodeFromX(5170.0, false, 10.0)), TrayAction::PopupMenu);
}

TEST(TrayDecode, HalvesRoundToEven) {
    EXPECT_EQ(TrayCodeFromX(5155.0, false, 10.0), 516);   // 515.5 -> 516
    EXPECT_EQ(TrayCodeFromX(5165.0, false, 10.0), 516);   // 516.5 -> 516
    EXPECT_EQ(TrayCodeFromX(7732.5, false, 15.0), 516);   // 515.5 -> 516
    EXPECT_EQ(TrayCodeFromX(7747.5, false, 15.0), 516);   // 516.5 -> 516
    EXPECT_EQ(TrayCodeFromX(7730.0, false, 15.0), 515);   // 515.33
    EXPECT_EQ(TrayCodeFromX(7735.0, false, 15.0), 516);   // 515.67
    // A right release that lands half a pixel off still decodes to 0x205 only when it
    // rounds there: 516.5 goes to 516 (nothing happens), 517.5 to 518.
    EXPECT_EQ(TrayActionForCode(TrayCodeFromX(5165.0, false, 10.0)), TrayAction::None);
    EXPECT_EQ(TrayCodeFromX(5175.0, false, 10.0), 518);
}

TEST(TrayDecode, PixelUnitRoundsXItself) {
    EXPECT_EQ(TrayCodeFromX(515.0, true, 15.0), 515);
    EXPECT_EQ(TrayCodeFromX(515.5, true, 15.0), 516);
    EXPECT_EQ(TrayCodeFromX(516.5, true, 15.0), 516);
    EXPECT_EQ(TrayCodeFromX(517.4, true, 15.0), 517);
}

TEST(TrayDecode, UnrepresentableXRaisesOverflow) {
    EXPECT_THROW(TrayCodeFromX(1e300, false, 15.0), tk::OverflowError);
    EXPECT_THROW(TrayCodeFromX(515.0, false, 0.0), tk::OverflowError);  // division by zero
}

TEST(TrayTip, TextThenOneNulThenSpaces) {
    char field[64];
    shell::FillTipField(field, sizeof field, "\"ZQ\"abc");
    EXPECT_EQ(std::string(field, 7), "\"ZQ\"abc");
    EXPECT_EQ(field[7], '\0');
    for (size_t i = 8; i < sizeof field; ++i) EXPECT_EQ(field[i], ' ') << i;
}

TEST(TrayTip, LongTextKeepsRoomForTheNul) {
    char field[64];
    std::string text(100, 'x');
    shell::FillTipField(field, sizeof field, text);
    EXPECT_EQ(std::string(field, 63), std::string(63, 'x'));
    EXPECT_EQ(field[63], '\0');
    shell::FillTipField(field, sizeof field, std::string(63, 'y'));
    EXPECT_EQ(field[62], 'y');
    EXPECT_EQ(field[63], '\0');
    shell::FillTipField(field, sizeof field, "");
    EXPECT_EQ(field[0], '\0');
    EXPECT_EQ(field[1], ' ');
    EXPECT_EQ(field[63], ' ');
}

}  // namespace
