// The about box: one box, the version from the one place it is kept, and the failure of a
// control it cannot make.
#include <gtest/gtest.h>

#include "WinTestUtil.h"
#include "shell/frmAbout.h"
#include "toolkit/LoadedForms.h"
#include "toolkit/core/Errors.h"

TEST(AboutBox, ShowsOnceWithTheVersionAndFailsNamingTheControl) {
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
        const frmAbout& box = (scheme.Set(c.hc, {white, black, c.face, c.hot}), *frmAbout::Loaded());
        EXPECT_TRUE(wintest::Shows(box.Handle(), box.Label1().Rect(), c.link) && wintest::Shows(box.Handle(), box.Label2().Rect(), c.text)) << c.hc << " " << c.face << " " << c.hot;
    }
    frmAbout::Loaded()->Destroy();
    auto refusal = wintest::RefuseWindows(L"Button");
    std::wstring error;  // an about box without its OK button is no about box
    try { frmAbout::ShowAbout(); } catch (const tk::GlumaError& e) { error = e.UserText(); }
    EXPECT_EQ(error.rfind(L"无法创建按钮 (BUTTON)：", 0), 0u) << error;
    EXPECT_EQ(tk::LoadedForms::Count(), 0);
}
