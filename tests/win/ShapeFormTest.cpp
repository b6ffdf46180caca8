// ShapeFormToPicture on real windows: size, unit, key and region, and nothing left behind.
#include <gtest/gtest.h>

#include "DibSectionTestUtil.h"
#include "imaging/Module1.h"

namespace {

using dibtest::FormHolder;
using dibtest::GdiObjectCount;

TEST(ShapeForm, TheSkinCutsPopupAndFramedWindowsAndNoPictureLeavesTheWindow) {
    for (DWORD style : {DWORD{WS_POPUP}, DWORD{WS_OVERLAPPEDWINDOW}}) {
        FormHolder form(style), bare(style);
        form.form->SetPicture(dibtest::LoadSkin());
        int32_t key = 1, bareKey = 1;
        ShapeFormToPicture(*form.form, key);
        EXPECT_TRUE(key == 0xFFFFFF && form.form->GetScaleMode() == tk::ScaleMode::Pixels);
        RECT outer, client;
        POINT origin = {0, 0};
        GetWindowRect(form.form->Handle(), &outer);
        GetClientRect(form.form->Handle(), &client);
        ClientToScreen(form.form->Handle(), &origin);
        EXPECT_TRUE(client.right == 284 && client.bottom == 210);
        tk::ScopedGdiObject<HRGN> got(CreateRectRgn(0, 0, 0, 0)), want(CreateRectRgn(5, 5, 277, 206));
        OffsetRgn(want.Get(), origin.x - outer.left, origin.y - outer.top);
        ASSERT_NE(GetWindowRgn(form.form->Handle(), got.Get()), ERROR);
        EXPECT_TRUE(EqualRgn(got.Get(), want.Get()));

        GetWindowRect(bare.form->Handle(), &outer);
        ShapeFormToPicture(*bare.form, bareKey);
        GetWindowRect(bare.form->Handle(), &client);
        EXPECT_TRUE(EqualRect(&outer, &client) && bareKey == 1);
        EXPECT_EQ(GetWindowRgn(bare.form->Handle(), got.Get()), ERROR);
    }
}

TEST(ShapeFormLeak, TheCountSeesOneRegionAndTwoHundredShapesLeaveNothing) {
    const int empty = GdiObjectCount();
    HRGN leak = CreateRectRgn(0, 0, 3, 3);
    EXPECT_EQ(GdiObjectCount(), empty + 1);
    DeleteObject(leak);
    FormHolder form(WS_OVERLAPPEDWINDOW);
    form.form->SetPicture(dibtest::LoadSkin());
    int32_t key = 1;
    ShapeFormToPicture(*form.form, key);  // the screen's DC cache settles
    const int start = GdiObjectCount();
    for (int i = 0; i < 200; ++i) ShapeFormToPicture(*form.form, key);
    EXPECT_EQ(GdiObjectCount(), start);
}

// A window closed while it is being cut (here when it is resized) refuses the region;
// the region is then still ours and is deleted.
struct ClosingForm : dibtest::TestForm {
    ClosingForm() : TestForm(WS_POPUP) {}
    void OnLoad() override {
        SetPicture(dibtest::LoadSkin());
        int32_t key = 1;
        ShapeFormToPicture(*this, key);
    }
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
        if (msg != WM_WINDOWPOSCHANGED || GetScaleMode() != tk::ScaleMode::Pixels) {
            return Form::HandleMessage(msg, wParam, lParam);
        }
        DestroyWindow(Handle());
        return 0;
    }
};

TEST(ShapeFormLeak, ARegionTheWindowRefusesIsDeleted) {
    tk::LoadForm<ClosingForm>();
    const int start = GdiObjectCount();
    EXPECT_EQ(tk::LoadForm<ClosingForm>(), nullptr);
    EXPECT_EQ(GdiObjectCount(), start);
}

}  // namespace
