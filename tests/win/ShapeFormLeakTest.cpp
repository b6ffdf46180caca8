// ShapeFormToPicture many times over on one window: every DC, bitmap and region that a
// call makes is gone again when it returns (the window's region replaces the last one).
#include <gtest/gtest.h>

#include "DibSectionTestUtil.h"
#include "imaging/Module1.h"
#include "toolkit/Gdi.h"

using dibtest::FormHolder;
using dibtest::GdiObjectCount;
using dibtest::ShapeTestForm;

namespace {

TEST(ShapeFormLeak, TheObjectCountSeesOneLeakedRegion) {
    // The count used below must notice a single object left behind.
    const int start = GdiObjectCount();
    ASSERT_GT(start, 0);
    HRGN leak = CreateRectRgn(0, 0, 3, 3);
    EXPECT_EQ(GdiObjectCount(), start + 1);
    DeleteObject(leak);
    EXPECT_EQ(GdiObjectCount(), start);
}

TEST(ShapeFormLeak, TenThousandCallsLeaveNoHandleBehindAndNoneStartsFailing) {
    FormHolder form(tk::LoadForm<ShapeTestForm>(dibtest::FramedStyle()));
    form->SetPicture(dibtest::LoadSkin());
    int32_t key = 1;
    ShapeFormToPicture(*form, key);  // the screen's DC cache and the first region settle
    RECT box;
    ASSERT_EQ(GetWindowRgnBox(form->Handle(), &box), SIMPLEREGION);
    const RECT first = box;

    const int gdiStart = GdiObjectCount();
    const int userStart = dibtest::UserObjectCount();
    int failures = 0;
    for (int i = 0; i < 10000; ++i) {
        key = 1;
        ShapeFormToPicture(*form, key);
        RECT now = {};
        bool ok = key == 0xFFFFFF && GetWindowRgnBox(form->Handle(), &now) == SIMPLEREGION && EqualRect(&now, &first);
        if (!ok && failures++ == 0) ADD_FAILURE() << "call " << i << " gave another region";
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(GdiObjectCount(), gdiStart);
    // Wine does not count USER objects (0 throughout); Windows does.
    EXPECT_EQ(dibtest::UserObjectCount(), userStart);
    EXPECT_FALSE(form->IsVisible());
}

}  // namespace
