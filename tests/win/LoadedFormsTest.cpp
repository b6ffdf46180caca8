#include <gtest/gtest.h>

#include <stdexcept>

#include "WinTestUtil.h"
#include "toolkit/LoadedForms.h"

using tk::LoadedForms;
using wintest::TestForm;

namespace {

class ThrowingLoad : public tk::Form {
public:
    ThrowingLoad() : Form(tk::FormStyle()) {}

protected:
    void OnLoad() override { throw std::runtime_error("load failed"); }
};

TEST(LoadedForms, KeepsLoadOrderAndTheFirstFormAtIndexZero) {
    ASSERT_EQ(LoadedForms::Count(), 0);
    TestForm* first = tk::LoadForm<TestForm>();
    TestForm* a = tk::LoadForm<TestForm>();
    TestForm* b = tk::LoadForm<TestForm>();
    TestForm* c = tk::LoadForm<TestForm>();
    ASSERT_EQ(LoadedForms::Count(), 4);
    EXPECT_EQ(LoadedForms::Item(0), first);
    EXPECT_EQ(LoadedForms::Item(1), a);
    EXPECT_EQ(LoadedForms::Item(3), c);
    EXPECT_EQ(first->loads, 1);

    b->Unload();  // the others keep their relative order
    ASSERT_EQ(LoadedForms::Count(), 3);
    EXPECT_EQ(LoadedForms::Item(0), first);
    EXPECT_EQ(LoadedForms::Item(1), a);
    EXPECT_EQ(LoadedForms::Item(2), c);

    TestForm* d = tk::LoadForm<TestForm>();  // appended at the end
    a->Unload();
    ASSERT_EQ(LoadedForms::Count(), 3);
    EXPECT_EQ(LoadedForms::Item(0), first);
    EXPECT_EQ(LoadedForms::Item(1), c);
    EXPECT_EQ(LoadedForms::Item(2), d);
    EXPECT_EQ(LoadedForms::Item(3), nullptr);
    EXPECT_EQ(LoadedForms::Item(-1), nullptr);

    c->Unload();
    d->Unload();
    first->Unload();
    EXPECT_EQ(LoadedForms::Count(), 0);
}

TEST(LoadedForms, CancelledUnloadKeepsTheForm) {
    TestForm* f = tk::LoadForm<TestForm>();
    f->cancelUnload = true;
    f->Unload();
    EXPECT_EQ(f->unloads, 1);
    EXPECT_TRUE(IsWindow(f->Handle()));
    EXPECT_EQ(LoadedForms::Count(), 1);
    f->Destroy();  // no unload handling
    EXPECT_EQ(LoadedForms::Count(), 0);
}

TEST(LoadedForms, WindowCloseUnloadsAndTheFormGoesWithItsWindow) {
    TestForm* f = tk::LoadForm<TestForm>();
    HWND hwnd = f->Handle();
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(LoadedForms::Count(), 0);
}

TEST(LoadedForms, ANewFormIsHiddenUntilShown) {
    TestForm* f = tk::LoadForm<TestForm>();
    EXPECT_FALSE(f->IsVisible());
    f->Show();
    EXPECT_TRUE(f->IsVisible());
    f->Minimise();
    EXPECT_TRUE(f->IsMinimised());
    f->Hide();
    EXPECT_FALSE(f->IsVisible());
    f->Show();  // showing keeps the window state
    EXPECT_TRUE(f->IsVisible());
    EXPECT_TRUE(f->IsMinimised());
    f->Destroy();
}

TEST(DispatchBoundary, AnErrorInLoadIsReportedAndTheFormStaysUsable) {
    // The report is a message box; close it from a timer so the test doesn't wait on it.
    UINT_PTR timer = SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) CALLBACK {
        KillTimer(nullptr, id);
        if (HWND box = FindWindowW(nullptr, L"GlumaNote")) PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    ThrowingLoad* f = tk::LoadForm<ThrowingLoad>();
    KillTimer(nullptr, timer);
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(IsWindow(f->Handle()));
    EXPECT_EQ(LoadedForms::Count(), 1);
    f->Destroy();
    EXPECT_EQ(LoadedForms::Count(), 0);
}

}  // namespace
