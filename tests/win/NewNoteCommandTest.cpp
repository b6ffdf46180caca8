// The new-note command: numbering, caption, creation stamp, one visible note per run.
#include <gtest/gtest.h>

#include <string>

#include "NoteTestUtil.h"
#include "shell/Dform.h"
#include "toolkit/DateTime.h"

namespace {

using notetest::At;
using notetest::NoteTest;

TEST_F(NoteTest, NotesAreNumberedByTheLoadedWindowsBeforeThem) {
    frmNote* first = NewNote();
    EXPECT_EQ(first->Tag(), L"Form2");
    frmNote* second = NewNote();
    EXPECT_EQ(second->Tag(), L"Form3");
    frmNote* third = NewNote();
    EXPECT_EQ(third->Tag(), L"Form4") << "with two notes open";

    // Closing one lets a number come again: tags are not unique.
    first->Destroy();
    frmNote* fourth = NewNote();
    EXPECT_EQ(fourth->Tag(), L"Form4");

    // Any other loaded window counts too (the about box, for one).
    auto* about = tk::LoadForm<wintest::TestForm>();
    frmNote* fifth = NewNote();
    EXPECT_EQ(fifth->Tag(), L"Form6");
    about->Destroy();
}

TEST_F(NoteTest, EachRunMakesExactlyOneVisibleNoteAndTouchesNoOther) {
    frmNote* a = NewNote();
    a->Hide();
    RECT aRect;
    GetWindowRect(a->Handle(), &aRect);
    frmNote* b = NewNote();
    EXPECT_NE(a, b);
    EXPECT_EQ(tk::LoadedForms::Count(), 3);
    EXPECT_TRUE(b->IsVisible());
    EXPECT_FALSE(a->IsVisible()) << "the hidden note stays hidden";
    RECT after;
    GetWindowRect(a->Handle(), &after);
    EXPECT_TRUE(EqualRect(&aRect, &after));
    EXPECT_EQ(GetForegroundWindow(), b->Handle());
    EXPECT_FALSE(main->IsVisible()) << "the main window stays hidden";
}

TEST_F(NoteTest, TheCaptionIsGlumaNoteAndTheStampGivesTheRegionalDateAndTimeOfCreation) {
    now = At(2026, 12, 6, 18, 12, 5);
    frmNote* note = NewNote();
    EXPECT_EQ(note->Caption(), L"Gluma Note");
    const std::wstring expected = L"创建于 " + tk::FormatShortDate(now) + L" " + tk::FormatTime(now);
    EXPECT_EQ(note->labTime().Caption(), expected);
    ASSERT_EQ(GetACP(), 936u) << "the tests run with Chinese regional settings";
    EXPECT_EQ(note->labTime().Caption(), L"创建于 2026/12/6 18:12:05");

    now = At(2027, 1, 2, 7, 8, 9);
    EXPECT_EQ(NewNote()->labTime().Caption(), L"创建于 " + tk::FormatShortDate(now) + L" " + tk::FormatTime(now));
}

TEST_F(NoteTest, NewNoteTakesTheTagAndCaptionItIsGiven) {
    ::NewNote(L"x", L"标题");
    auto* note = dynamic_cast<frmNote*>(tk::LoadedForms::Item(tk::LoadedForms::Count() - 1));
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->Tag(), L"x");
    EXPECT_EQ(note->Caption(), L"标题");
    EXPECT_TRUE(note->IsVisible());
}

}  // namespace
