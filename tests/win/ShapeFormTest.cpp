// ShapeFormToPicture on real windows: size, unit, key and region, and nothing left behind.
#include <gtest/gtest.h>

#include "WinTestUtil.h"
#include "imaging/Module1.h"
#include "resources/resource.h"
#include "toolkit/Application.h"

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

TEST(ShapeForm, TheSkinCutsPopupAndFramedWindowsNoPictureLeavesTheWindowAndNoRegionIsLeft) {
    const int empty = wintest::GdiObjectCount();
    HRGN leak = CreateRectRgn(0, 0, 3, 3);
    EXPECT_EQ(wintest::GdiObjectCount(), empty + 1) << "the count sees one region";
    DeleteObject(leak);
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
        tk::LoadForm<ClosingForm>();  // the screen's DC cache settles
        const int start = wintest::GdiObjectCount();
        for (int i = 0; i < 200; ++i) ShapeFormToPicture(*skin, key);
        EXPECT_EQ(tk::LoadForm<ClosingForm>(), nullptr);
        EXPECT_EQ(wintest::GdiObjectCount(), start) << style;
    }
}

