// The note's options: stay on top and hide when minimised.
#include <gtest/gtest.h>

#include "NoteTestUtil.h"

namespace {

using notetest::At;
using notetest::Click;
using notetest::NoteTest;

TEST_F(NoteTest, StayOnTopTogglesTheTopmostStateAndItsMarkAndGivesTheTextTheKeyboard) {
    frmNote* note = NewNote();
    RECT before;
    GetWindowRect(note->Handle(), &before);
    ASSERT_FALSE(TopMost(note->Handle()));

    note->mnopt().Click(frmNote::mnuStayOnTop);
    EXPECT_TRUE(TopMost(note->Handle()));
    EXPECT_TRUE(note->mnopt().Checked(frmNote::mnuStayOnTop));
    EXPECT_EQ(GetFocus(), note->txtNote().Handle());

    note->mnopt().Click(frmNote::mnuSetDateTime);
    SetFocus(note->myDate().Handle());
    note->mnopt().Click(frmNote::mnuStayOnTop);
    EXPECT_FALSE(TopMost(note->Handle()));
    EXPECT_FALSE(note->mnopt().Checked(frmNote::mnuStayOnTop));
    EXPECT_EQ(GetFocus(), note->txtNote().Handle());

    RECT after;
    GetWindowRect(note->Handle(), &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "place and size stay";
    EXPECT_TRUE(note->IsVisible());
}

TEST_F(NoteTest, AfterAReminderMadeTheNoteTopmostTheItemStillStartsUnmarked) {
    frmNote* note = NewNote();
    note->mnopt().Click(frmNote::mnuSetDateTime);
    SYSTEMTIME t = note->myTime().Value();
    t.wHour = 18;
    t.wMinute = 13;
    note->myTime().SetValue(t);
    Click(*note, note->lblMinimise());  // hidden and armed
    TickAt(note, At(2026, 12, 6, 18, 13, 0));
    ASSERT_TRUE(TopMost(note->Handle()));
    EXPECT_FALSE(note->mnopt().Checked(frmNote::mnuStayOnTop));

    note->mnopt().Click(frmNote::mnuStayOnTop);  // no visible change, the mark comes on
    EXPECT_TRUE(TopMost(note->Handle()));
    EXPECT_TRUE(note->mnopt().Checked(frmNote::mnuStayOnTop));
    note->mnopt().Click(frmNote::mnuStayOnTop);
    EXPECT_FALSE(TopMost(note->Handle()));
}

TEST_F(NoteTest, TwoNotesCanBeTopmostEachWithItsOwnMark) {
    frmNote* a = NewNote();
    frmNote* b = NewNote();
    a->mnopt().Click(frmNote::mnuStayOnTop);
    b->mnopt().Click(frmNote::mnuStayOnTop);
    EXPECT_TRUE(TopMost(a->Handle()));
    EXPECT_TRUE(TopMost(b->Handle()));
    a->mnopt().Click(frmNote::mnuStayOnTop);
    EXPECT_FALSE(TopMost(a->Handle()));
    EXPECT_TRUE(TopMost(b->Handle()));
    EXPECT_FALSE(a->mnopt().Checked(frmNote::mnuStayOnTop));
    EXPECT_TRUE(b->mnopt().Checked(frmNote::mnuStayOnTop));
}

TEST_F(NoteTest, HideWhenMinimisedOnlyTogglesItsMarkWhichTheStrokeReadsWhenClicked) {
    frmNote* note = NewNote();
    ASSERT_TRUE(note->mnopt().Checked(frmNote::mnuHideMin));
    note->mnopt().Click(frmNote::mnuHideMin);
    EXPECT_FALSE(note->mnopt().Checked(frmNote::mnuHideMin));
    EXPECT_TRUE(note->IsVisible());
    EXPECT_FALSE(note->IsMinimised());
    Click(*note, note->lblMinimise());
    EXPECT_TRUE(note->IsMinimised()) << "minimised, not hidden";

    SendMessageW(note->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    note->mnopt().Click(frmNote::mnuHideMin);
    EXPECT_TRUE(note->mnopt().Checked(frmNote::mnuHideMin));
    Click(*note, note->lblMinimise());
    EXPECT_FALSE(note->IsVisible()) << "hidden";
}

TEST_F(NoteTest, EachNewNoteStartsWithTheSameOptions) {
    frmNote* a = NewNote();
    a->mnopt().Click(frmNote::mnuHideMin);
    a->mnopt().Click(frmNote::mnuStayOnTop);
    frmNote* b = NewNote();
    EXPECT_TRUE(b->mnopt().Checked(frmNote::mnuHideMin));
    EXPECT_FALSE(b->mnopt().Checked(frmNote::mnuStayOnTop));
    EXPECT_FALSE(TopMost(b->Handle()));
}

}  // namespace
