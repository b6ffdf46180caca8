// ShapeFormToPicture on real windows: size, unit, key and region, and nothing left behind.
#include <gtest/gtest.h>

#include "DibSectionTestUtil.h"
#include "imaging/Module1.h"

namespace {

using dibtest::FormHolder;
using dibtest::GdiObjectCount;

TEST(ShapeForm, TheSkinCutsPopupAndFramedWindowsAndNoPictureLeavesTheWindow) {
    for (DWORD style : {DWORD{WS_POPUP}, DWORD{WS_OVERLAPPEDWINDOW}}) {
        FormHolder skin(style), bare(style);
        skin.form->SetPicture(dibtest::LoadSkin());
        int32_t key = 1, bareKey = 1;
        ShapeFormToPicture(*skin.form, key);
        RECT outer, client, bareBefore, bareAfter;
        POINT origin = {0, 0};
        GetWindowRect(skin.form->Handle(), &outer);
        GetClientRect(skin.form->Handle(), &client);
        ClientToScreen(skin.form->Handle(), &origin);
        EXPECT_EQ(key, 0xFFFFFF);
        EXPECT_TRUE(client.right == 284 && client.bottom == 210);
        tk::ScopedGdiObject<HRGN> got(CreateRectRgn(0, 0, 0, 0)), want(CreateRectRgn(5, 5, 277, 206));
        OffsetRgn(want.Get(), origin.x - outer.left, origin.y - outer.top);
        ASSERT_NE(GetWindowRgn(skin.form->Handle(), got.Get()), ERROR);
        EXPECT_TRUE(EqualRgn(got.Get(), want.Get()));

        GetWindowRect(bare.form->Handle(), &bareBefore);
        ShapeFormToPicture(*bare.form, bareKey);
        GetWindowRect(bare.form->Handle(), &bareAfter);
        EXPECT_TRUE(EqualRect(&bareBefore, &bareAfter) && bareKey == 1);
        EXPECT_EQ(GetWindowRgn(bare.form->Handle(), got.Get()), ERROR);
    }
}

// A window closed while it is being cut (here as it is resized) refuses the region, which
// is then still ours to delete.
struct ClosingForm : wintest::TestForm {
    ClosingForm() : TestForm(tk::FormStyle{WS_POPUP, 0, 150, 90}) {}
    void OnLoad() override {
        SetPicture(dibtest::LoadSkin());
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
    const int empty = GdiObjectCount();
    HRGN leak = CreateRectRgn(0, 0, 3, 3);
    EXPECT_EQ(GdiObjectCount(), empty + 1);
    DeleteObject(leak);
    FormHolder form(WS_OVERLAPPEDWINDOW);
    form.form->SetPicture(dibtest::LoadSkin());
    int32_t key = 1;
    ShapeFormToPicture(*form.form, key);  // the screen's DC cache settles
    tk::LoadForm<ClosingForm>();
    const int start = GdiObjectCount();
    for (int i = 0; i < 200; ++i) ShapeFormToPicture(*form.form, key);
    EXPECT_EQ(tk::LoadForm<ClosingForm>(), nullptr);
    EXPECT_EQ(GdiObjectCount(), start);
}

}  // namespace
