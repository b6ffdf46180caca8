// The hidden main window and its tray icon as the shell drives them: notifications, the
// menus as a person reads them, the errors of the commands, and the end of the program from
// outside (what each menu item does is checked end to end).
#include <gtest/gtest.h>

#include "WinTestUtil.h"
#include "note/frmNote.h"
#include "shell/frmMain.h"
#include "shell/modSysTray.h"
#include "toolkit/CreateFailure.h"
#include "toolkit/core/Errors.h"
#include "toolkit/LoadedForms.h"

static bool IconShown(HWND owner) {
    NOTIFYICONDATAA probe = {};  // changes nothing; fails without the icon
    probe.cbSize = NOTIFYICONDATAA_V1_SIZE, probe.hWnd = owner, probe.uID = kTrayIconId;
    return Shell_NotifyIconA(NIM_MODIFY, &probe);
}

// A menu's items as shown: each text ("-" a separator), marked when checked or greyed.
static std::vector<std::wstring> Items(const tk::PopupMenu& menu) {
    std::vector<std::wstring> shown;
    for (int i = 0; i < GetMenuItemCount(menu.Handle()); ++i) {
        wchar_t text[64] = {};
        const UINT state = (GetMenuStringW(menu.Handle(), i, text, 64, MF_BYPOSITION), GetMenuState(menu.Handle(), i, MF_BYPOSITION));
        shown.push_back(state & MF_SEPARATOR ? L"-" : text + std::wstring(state & MF_CHECKED ? L" (checked)" : L"") + (state & MF_GRAYED ? L" (greyed)" : L""));
    }
    return shown;
}

// A notification as the shell sends it: the mouse message code in the low word.
static void Notify(frmMain* main, UINT code) { SendMessageW(main->Handle(), WM_MOUSEMOVE, 1, code); }

struct TrayMainWindowTest : testing::Test {
    void SetUp() override { ASSERT_NE(main = tk::LoadForm<frmMain>(), nullptr); }
    void TearDown() override {  // without the main window's unload, which would end the program
        DeleteTrayIcon();
        for (int n; (n = tk::LoadedForms::Count()) > 0;) tk::LoadedForms::Item(n - 1)->Destroy();
    }
    frmMain* main = nullptr;
};

TEST_F(TrayMainWindowTest, StartsWithItsIconKeptAcrossShellRestartsItsMenuAndADoubleClickMakesANoteWithItsMenu) {
    EXPECT_TRUE(IconShown(main->Handle()));
    const std::string tip = "\"ZQ\"\xD7\xC0\xC3\xE6\xB8\xF1\xC2\xAC\xC2\xEA";  // its caption in GBK
    EXPECT_EQ(TrayTipField(), tip + '\0' + std::string(63 - tip.size(), ' ')) << "as the shell was given it";
    DeleteTrayIcon();  // as a shell that restarts loses it: the icon comes back on its message
    SendMessageW(main->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(IconShown(main->Handle())) << "back after the shell restarted";
    for (UINT code : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONDBLCLK})
        Notify(main, code);
    EXPECT_EQ(tk::LoadedForms::Count(), 1);
    Notify(main, WM_LBUTTONDBLCLK);
    EXPECT_EQ(tk::LoadedForms::Count(), 2);
    EXPECT_EQ(Items(main->mnuOptions()), (std::vector<std::wstring>{L"新建桌面格卢玛", L"显示所有的格卢玛", L"-", L"访问产品主页",
                                                                     L"关于桌面格卢玛", L"使用帮助", L"-", L"退出"}));
    EXPECT_EQ(Items(dynamic_cast<frmNote*>(tk::LoadedForms::Item(1))->mnopt()),
              (std::vector<std::wstring>{L"打开文件中保存的格卢玛", L"保存格卢玛的内容到文件", L"设置定时提醒功能", L"-", L"使用帮助",
                                         L"始终在最前面", L"当最小化的时候隐藏标签 (checked)"}));
}

// A new note that cannot be made (the system makes no window) is reported, naming what
// failed, and leaves no half-made note: the notification's silence is not the command's.
TEST_F(TrayMainWindowTest, AFailedNewNoteIsReportedNamingWhatFailed) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {{L"GlumaNoteForm", L"无法创建窗口 (GlumaNoteForm)："},
                                                                {L"Edit", L"无法创建文本框 (EDIT)："}};
    for (const auto& [refused, named] : cases) {
        auto refusal = wintest::RefuseWindows(refused);
        auto texts = wintest::AnswerMessageBoxes([&] { Notify(main, WM_LBUTTONDBLCLK); });
        ASSERT_EQ(texts.size(), 1u) << refused;
        EXPECT_EQ(texts[0].rfind(named, 0), 0u) << texts[0];
        EXPECT_EQ(tk::LoadedForms::Count(), 1) << refused;
    }
    SetLastError(ERROR_SUCCESS);  // a refusal that gives no code is not "completed successfully"
    try { tk::ThrowCreateFailure(L"窗口"); } catch (const tk::GlumaError& e) {
        EXPECT_STREQ(e.UserText(), L"无法创建窗口：系统没有给出原因（错误代码 0）");
    }
}

// At log-off the system closes the main window: the icon goes and the program ends at
// once, notes and all, without their own unload handling.
TEST_F(TrayMainWindowTest, ClosedFromOutsideItDeletesTheIconAndEndsTheProgram) {
    SendMessageW(main->Handle(), WM_ENDSESSION, FALSE, 0);  // the session end was cancelled: nothing ends
    MSG quit;
    EXPECT_TRUE(!PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && tk::LoadedForms::Count() == 1 && IconShown(main->Handle()));
    for (UINT msg : {WM_ENDSESSION, WM_CLOSE}) {  // wParam TRUE: the session does end
        if (tk::LoadedForms::Count() == 0) SetUp();
        HWND hwnd = main->Handle();
        tk::LoadForm<wintest::TestForm>()->cancelUnload = true;  // a note that would refuse
        SendMessageW(hwnd, msg, TRUE, 0);
        EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << msg;
        EXPECT_EQ(tk::LoadedForms::Count(), 0) << msg;
        EXPECT_FALSE(IconShown(hwnd)) << msg;
    }
}
