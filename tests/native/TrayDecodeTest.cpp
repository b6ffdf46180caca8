#include <gtest/gtest.h>

#include "shell/core/TrayDecode.h"
#include "shell/core/TrayTip.h"

using shell::TrayAction;

TEST(TrayDecode, OnlyLeftDoubleClickAndRightReleaseAct) {
    EXPECT_EQ(shell::TrayActionFor(0x0203), TrayAction::NewNote);
    EXPECT_EQ(shell::TrayActionFor(0x00010203), TrayAction::NewNote);  // only the low word is the code
    EXPECT_EQ(shell::TrayActionFor(0xFFFFFFFFFFFF0205), TrayAction::PopupMenu);
    // Movement, left press and release, right press, right double-click, middle button, high word.
    for (uint64_t other : {0x0200, 0x0201, 0x0202, 0x0204, 0x0206, 0x0207, 0x0208, 0x02030000})
        EXPECT_EQ(shell::TrayActionFor(other), TrayAction::None) << std::hex << other;
}

TEST(TrayTip, TextThenOneNulThenSpacesAndAlwaysRoomForTheNul) {
    for (size_t size : {0u, 7u, 63u, 100u}) {
        const std::string text(size, 'x'), kept = text.substr(0, 63);
        char field[64];
        shell::FillTipField(field, sizeof field, text);
        EXPECT_EQ(std::string(field, 64), kept + '\0' + std::string(63 - kept.size(), ' ')) << size;
    }
}
