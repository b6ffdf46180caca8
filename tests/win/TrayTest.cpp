#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WinTestUtil.h"
#include "shell/frmMain.h"
#include "shell/modSysTray.h"
#include "toolkit/LoadedForms.h"

namespace {

// The main window as the program makes it; destroyed without its unload handling, which
// would end the test program.
class MainWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(tk::LoadedForms::Count(), 0);
        main = tk::LoadForm<frmMain>();
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override {
        DeleteTrayIcon();
        main->Destroy();
    }
    frmMain* main = nullptr;
};

TEST_F(MainWindowTest, StartsHiddenAtIndexZeroWithItsCaption) {
    EXPECT_FALSE(main->IsVisible());
    EXPECT_EQ(tk::LoadedForms::Count(), 1);
    EXPECT_EQ(tk::LoadedForms::Item(0), main);
    EXPECT_EQ(main->Caption(), L"\"ZQ\"桌面格卢玛");
    EXPECT_EQ(main->Caption().size(), 9u);
    EXPECT_NE(main->Icon(), nullptr);
}

TEST_F(MainWindowTest, TrayRecordIsFilledFieldByField) {
    ASSERT_EQ(GetACP(), 936u) << "the tests run with the Chinese ANSI code page";
    EXPECT_EQ(TrayIconData.cbSize, sizeof(TrayIconRecord));
    EXPECT_EQ(TrayIconData.hWnd, main->Handle());
    EXPECT_EQ(TrayIconData.uID, 1u);
    EXPECT_EQ(TrayIconData.uFlags, 7u);
    EXPECT_EQ(TrayIconData.uCallbackMessage, 0x0200u);
    EXPECT_EQ(TrayIconData.hIcon, main->Icon());

    // "ZQ" and the five characters in code page 936: 14 bytes, one NUL, spaces to the end.
    const unsigned char expected[] = {0x22, 0x5A, 0x51, 0x22, 0xD7, 0xC0, 0xC3,
                                      0xE6, 0xB8, 0xF1, 0xC2, 0xAC, 0xC2, 0xEA};
    const auto* tip = reinterpret_cast<const unsigned char*>(TrayIconData.szTip);
    EXPECT_EQ(std::vector<unsigned char>(tip, tip + 14), std::vector<unsigned char>(expected, expected + 14));
    EXPECT_EQ(tip[14], 0);
    for (int i = 15; i < 64; ++i) EXPECT_EQ(tip[i], ' ') << "byte " << i;
}

TEST_F(MainWindowTest, TrayMenuHasItsEightItemsInOrder) {
    HMENU menu = main->mnuOptions().Handle();
    ASSERT_EQ(GetMenuItemCount(menu), 8);
    struct Expected {
        const wchar_t* caption;  // null: separator
        UINT id;
    };
    const Expected items[] = {
        {L"新建桌面格卢玛", frmMain::mnuNew}, {L"显示所有的格卢玛", frmMain::mnuShowAll}, {nullptr, 0},
        {L"访问产品主页", frmMain::mnuHomePage}, {L"关于桌面格卢玛", frmMain::mnuAbout},
        {L"使用帮助", frmMain::mnuHelp}, {nullptr, 0}, {L"退出", frmMain::mnuExit},
    };
    for (int i = 0; i < 8; ++i) {
        wchar_t text[64] = {};
        MENUITEMINFOW mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
        mii.dwTypeData = text;
        mii.cch = 64;
        ASSERT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &mii)) << i;
        EXPECT_EQ(mii.hSubMenu, nullptr) << i;
        if (!items[i].caption) {
            EXPECT_TRUE(mii.fType & MFT_SEPARATOR) << i;
            continue;
        }
        EXPECT_FALSE(mii.fType & MFT_SEPARATOR) << i;
        EXPECT_EQ(std::wstring(text), items[i].caption) << i;
        EXPECT_EQ(mii.wID, items[i].id) << i;
        EXPECT_FALSE(mii.fState & (MFS_CHECKED | MFS_DISABLED | MFS_GRAYED | MFS_DEFAULT)) << i;
        EXPECT_EQ(std::wstring(text).find(L'&'), std::wstring::npos) << "no shortcut key: " << i;
        EXPECT_EQ(std::wstring(text).find(L'\t'), std::wstring::npos) << "no accelerator: " << i;
    }
}

TEST_F(MainWindowTest, NotificationsOtherThanTheTwoDoNothing) {
    // Movement, single left click and the right press: no window appears, nothing ends.
    for (UINT code : {0x0200u, 0x0201u, 0x0202u, 0x0204u, 0x0206u, 0x0207u, 0x0208u})
        SendMessageW(main->Handle(), WM_MOUSEMOVE, 1, static_cast<LPARAM>(code));
    wintest::Pump(50);
    EXPECT_EQ(tk::LoadedForms::Count(), 1);
    EXPECT_TRUE(IsWindow(main->Handle()));
}

TEST_F(MainWindowTest, ShellRestartAddsTheIconAgainWithTheSameRecord) {
    NOTIFYICONDATAA probe = {};
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE;
    probe.hWnd = main->Handle();
    probe.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &probe)) << "the icon is there after load";

    // A restarted shell has lost every icon; it then broadcasts "TaskbarCreated".
    TrayIconRecord before = TrayIconData;
    DeleteTrayIcon();
    ASSERT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &probe)) << "the icon is gone";
    SendMessageW(main->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &probe)) << "the icon is back";
    EXPECT_EQ(memcmp(&before, &TrayIconData, sizeof before), 0) << "with the same record";
}

}  // namespace
