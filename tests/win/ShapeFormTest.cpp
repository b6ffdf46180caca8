// ShapeFormToPicture on real windows: size, unit, key and region, and nothing left behind.
#include <gtest/gtest.h>

#include "WinTestUtil.h"
#include "imaging/Module1.h"
#include "resources/resource.h"
#include "toolkit/Application.h"

TEST(ShapeForm, TheSkinCutsPopupAndFramedWindowsAndNoPictureLeavesTheWindow) {
    for (DWORD style : {DWORD{WS_POPUP}, DWORD{WS_OVERLAPPEDWINDOW}}) {
        auto skin = wintest::LoadTestForm(style), bare = wintest::LoadTestForm(style);
        skin->SetPicture(tk::LoadProgramPicture(IDB_SKIN));
        int32_t key = 1, bareKey = 1;
        ShapeFormToPicture(*skin, key);
        RECT outer, client, bareBefore, bareAfter;
        POINT origin = {0, 0};
        GetWindowRect(skin->Handle(), &outer), GetClientRect(skin->Handle(), &client), ClientToScreen(skin->Handle(), &origin);
        EXPECT_TRUE(key == 0xFFFFFF && client.right == 284 && client.bottom == 210) << key;
        tk::ScopedGdiObject<HRGN> got(CreateRectRgn(0, 0, 0, 0)), want(CreateRectRgn(5, 5, 277, 206));
        OffsetRgn(want.Get(), origin.x - outer.left, origin.y - outer.top);
        ASSERT_NE(GetWindowRgn(skin->Handle(), got.Get()), ERROR);
        EXPECT_TRUE(EqualRgn(got.Get(), want.Get()));
        GetWindowRect(bare->Handle(), &bareBefore);
        ShapeFormToPicture(*bare, bareKey);
        GetWindowRect(bare->Handle(), &bareAfter);
        EXPECT_TRUE(bareBefore == bareAfter && bareKey == 1 && GetWindowRgn(bare->Handle(), got.Get()) == ERROR);
    }
}

// A window closed while it is being cut (here as it is resized) refuses the region, which
// is then still ours to delete.
struct ClosingForm : wintest::TestForm {
    ClosingForm() : TestForm(tk::FormStyle{WS_POPUP, 0, 150, 90}) {}
    void OnLoad() override {
        SetPicture(tk::LoadProgramPicture(IDB_SKIN));
        int32_t key = 1;
        shaping = true;
        ShapeFormToPicture(*this, key);
    }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg == WM_WINDOWPOSCHANGED && shaping) DestroyWindow(Handle());
        return Handle() ? Form::HandleMessage(msg, wParam, lParam) : 0;
    }
    bool shaping = false;
};

TEST(ShapeFormLeak, TheCountSeesOneRegionShapingLeavesNothingNorDoesARefusedRegion) {
    const int empty = wintest::GdiObjectCount();
    HRGN leak = CreateRectRgn(0, 0, 3, 3);
    EXPECT_EQ(wintest::GdiObjectCount(), empty + 1);
    DeleteObject(leak);
    auto form = wintest::LoadTestForm(WS_OVERLAPPEDWINDOW);
    form->SetPicture(tk::LoadProgramPicture(IDB_SKIN));
    int32_t key = 1;
    ShapeFormToPicture(*form, key);  // the screen's DC cache settles
    tk::LoadForm<ClosingForm>();
    const int start = wintest::GdiObjectCount();
    for (int i = 0; i < 200; ++i) ShapeFormToPicture(*form, key);
    EXPECT_EQ(tk::LoadForm<ClosingForm>(), nullptr);
    EXPECT_EQ(wintest::GdiObjectCount(), start);
}
