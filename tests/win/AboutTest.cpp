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
    frmAbout::Loaded()->Destroy();
    auto refusal = wintest::RefuseWindows(L"Button");
    std::wstring error;  // an about box without its OK button is no about box
    try { frmAbout::ShowAbout(); } catch (const tk::GlumaError& e) { error = e.UserText(); }
    EXPECT_EQ(error.rfind(L"无法创建按钮 (BUTTON)：", 0), 0u) << error;
    EXPECT_EQ(tk::LoadedForms::Count(), 0);
}
