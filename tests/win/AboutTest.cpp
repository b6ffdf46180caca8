// The about box: one box, the version from the one place it is kept, its colours in every
// scheme, its layout for a new DPI, the failure of a control it cannot make, and its link
// for readers and the keyboard.
#include <gtest/gtest.h>

#include "WinTestUtil.h"
#include "shell/frmAbout.h"
#include "toolkit/LoadedForms.h"
#include "toolkit/WebPage.h"
#include "toolkit/core/Errors.h"

TEST(AboutBox, ShowsOnceWithTheVersionReadsInEverySchemeIsReadAndReachedAsALinkFollowsANewDpiAndFailsNamingTheControl) {
    frmAbout::ShowAbout();
    frmAbout::ShowAbout();  // shown again, never a second box
    ASSERT_EQ(tk::LoadedForms::Count(), 1);
    EXPECT_EQ(frmAbout::Loaded()->Label2().Caption(), L"\"ZQ\"桌面格卢玛 1.8 版本");
    // The link and the texts read on the box's face in any scheme, from the moment it changes.
    const COLORREF white = RGB(255, 255, 255), black = 0, hotBlue = RGB(0, 0, 159);
    const struct { bool hc; COLORREF face, hot, link, text; } cases[] = {
        {false, RGB(240, 240, 240), RGB(0, 102, 204), RGB(0, 0, 255), black},  // link blue
        {false, black, RGB(255, 255, 0), RGB(255, 255, 0), white},  // blue does not read on black
        {false, black, RGB(0, 0, 128), white, white},  // nor the hot-track colour
        {true, white, hotBlue, hotBlue, black}};       // high contrast has its own link colour
    wintest::Scheme scheme;
    for (const auto& c : cases) {
        scheme.Set(c.hc, {white, black, c.face, c.hot});
        for (bool anew : {false, true}) {  // open when the scheme changed, then opened in it
            if (anew) frmAbout::Loaded()->Destroy(), frmAbout::ShowAbout(), wintest::Pump(100);  // drawn
            const frmAbout& box = *frmAbout::Loaded();
            EXPECT_TRUE(wintest::Shows(box.Handle(), box.Label1().Rect(), c.link) && wintest::Shows(box.Handle(), box.Label2().Rect(), c.text)) << c.hc << " " << c.face << " " << c.hot << anew;
        }
    }
    // The link as a reader and the keyboard meet it: named by its address, "跳转" opens the
    // page; Tab moves between the link and OK, and Enter on the link opens the page.
    static int opened;
    opened = 0;
    auto shell = std::exchange(tk::g_shellOpener, [](HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT) WINAPI {
        return ++opened, reinterpret_cast<HINSTANCE>(42);
    });
    HWND box = frmAbout::Loaded()->Handle(), ok = frmAbout::Loaded()->Command1().Handle();
    IAccessible* acc = nullptr;
    ASSERT_EQ(AccessibleObjectFromWindow(box, OBJID_CLIENT, __uuidof(IAccessible), (void**)&acc), S_OK);
    const long linked = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED;
    const RECT at96{72, 80, 345, 113}, at192{144, 160, 690, 226};
    EXPECT_EQ(wintest::Hears(acc, box, 1), (wintest::Heard{tk::kHomePage, L"跳转", ROLE_SYSTEM_LINK, linked, at96}));
    VARIANT child{};
    child.vt = VT_I4, child.lVal = 1;
    EXPECT_EQ(acc->accDoDefaultAction(child), S_OK);
    wintest::Pump(500, [] { return opened == 1; });
    EXPECT_EQ(GetFocus(), ok);
    SendMessageW(ok, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(GetFocus() == box && std::get<3>(wintest::Hears(acc, box, 1)) == (linked | STATE_SYSTEM_FOCUSED)) << "the link has the keyboard";
    SendMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
    SendMessageW(box, WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(opened == 2 && GetFocus() == ok) << opened;
    acc->Release();
    tk::g_shellOpener = shell;
    // Moved to a monitor at 200 %: laid out again from the message, the link's pointer made anew.
    const tk::Label& link = frmAbout::Loaded()->Label1();
    const RECT before = link.Rect(), suggested{100, 100, 900, 600};
    const HCURSOR hand = link.Args().cursor;
    SendMessageW(box, WM_DPICHANGED, MAKEWPARAM(192, 192), LPARAM(&suggested));
    EXPECT_TRUE(EqualRect(&before, &at96) && EqualRect(&link.Rect(), &at192) && hand && link.Args().cursor != hand);
    frmAbout::Loaded()->Destroy();
    auto refusal = wintest::RefuseWindows(L"Button");
    std::wstring error;  // an about box without its OK button is no about box
    try { frmAbout::ShowAbout(); } catch (const tk::GlumaError& e) { error = e.UserText(); }
    EXPECT_EQ(error.rfind(L"无法创建按钮 (BUTTON)：", 0), 0u) << error;
    EXPECT_EQ(tk::LoadedForms::Count(), 0);
}
