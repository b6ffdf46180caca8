// The reminder: pickers shown and hidden from the menu, the time-changed flag, arming by
// the minimise stroke, and the once-a-second check walked through on an injected clock.
#include <gtest/gtest.h>

#include "NoteTestUtil.h"

namespace {

using notetest::At;
using notetest::Click;
using notetest::NoteTest;

class ReminderTest : public NoteTest {
protected:
    // A note with its pickers shown and the reminder set as a user sets it: the date
    // picked, the time changed through the time picker's keyboard.
    frmNote* NoteWithReminder(const SYSTEMTIME& date, int hour, int minute) {
        frmNote* note = NewNote();
        note->mnopt().Click(frmNote::mnuSetDateTime);
        note->myDate().SetValue(date);
        SYSTEMTIME time = note->myTime().Value();
        time.wHour = static_cast<WORD>(hour);
        time.wMinute = static_cast<WORD>(minute);
        note->myTime().SetValue(time);
        TypeInTimePicker(note, VK_UP);  // one hour on, and back: a change, the same value
        TypeInTimePicker(note, VK_DOWN);
        SYSTEMTIME set = note->myTime().Value();
        EXPECT_EQ(set.wHour, hour);
        EXPECT_EQ(set.wMinute, minute);
        return note;
    }

    static void TypeInTimePicker(frmNote* note, UINT key) { notetest::TypeInPicker(note->myTime().Handle(), key); }

    // Minimises the note with the hide mark off: arms only after a time change.
    void Minimise(frmNote* note) {
        if (note->mnopt().Checked(frmNote::mnuHideMin)) note->mnopt().Click(frmNote::mnuHideMin);
        Click(*note, note->lblMinimise());
    }
};

TEST_F(ReminderTest, TheMenuItemShowsAndHidesThePickersAndResizesTheTextBox) {
    frmNote* note = NewNote();
    EXPECT_EQ(note->txtNote().Height(), 153);
    note->mnopt().Click(frmNote::mnuSetDateTime);
    EXPECT_TRUE(note->myDate().Visible());
    EXPECT_TRUE(note->myTime().Visible());
    EXPECT_TRUE(note->mnopt().Checked(frmNote::mnuSetDateTime));
    EXPECT_EQ(note->txtNote().Height(), 105);
    EXPECT_FALSE(note->tmrEvent().Enabled()) << "showing the pickers arms nothing";

    note->mnopt().Click(frmNote::mnuSetDateTime);
    EXPECT_FALSE(note->myDate().Visible());
    EXPECT_FALSE(note->myTime().Visible());
    EXPECT_FALSE(note->mnopt().Checked(frmNote::mnuSetDateTime));
    EXPECT_EQ(note->txtNote().Height(), 129);

    note->mnopt().Click(frmNote::mnuSetDateTime);
    EXPECT_EQ(note->txtNote().Height(), 105);
}

TEST_F(ReminderTest, OnlyAChangeOfTheTimeSetsTheFlag) {
    frmNote* note = NewNote();
    note->mnopt().Click(frmNote::mnuSetDateTime);
    EXPECT_FALSE(note->TimeChanged());

    // The date picker's changes do not count.
    const SYSTEMTIME before = note->myDate().Value();
    notetest::TypeInPicker(note->myDate().Handle(), VK_UP);
    EXPECT_NE(note->myDate().Value().wYear, before.wYear);
    EXPECT_FALSE(note->TimeChanged());

    TypeInTimePicker(note, VK_UP);
    EXPECT_TRUE(note->TimeChanged());
    SYSTEMTIME t = note->myTime().Value();
    EXPECT_EQ(t.wHour * 60 + t.wMinute, 60) << "the hour field went from 00 to 01";

    // Hiding the pickers keeps the values and the flag.
    note->mnopt().Click(frmNote::mnuSetDateTime);
    EXPECT_TRUE(note->TimeChanged());
    EXPECT_EQ(note->myTime().Value().wHour, 1);
}

TEST_F(ReminderTest, ANoteLeftOpenIsNotArmedWhateverIsChosen) {
    frmNote* note = NoteWithReminder(At(2026, 12, 6), 18, 13);
    EXPECT_TRUE(note->TimeChanged());
    EXPECT_FALSE(note->tmrEvent().Enabled());
}

TEST_F(ReminderTest, AMinimisedNoteIsShownRestoredAndMadeTopmostAtTheChosenMinute) {
    frmNote* note = NoteWithReminder(At(2026, 12, 6), 18, 15);
    Minimise(note);
    ASSERT_TRUE(note->IsMinimised());
    ASSERT_TRUE(note->tmrEvent().Enabled());
    EXPECT_FALSE(note->TimeChanged());

    TickAt(note, At(2026, 12, 6, 18, 14, 58));
    TickAt(note, At(2026, 12, 6, 18, 14, 59));
    EXPECT_TRUE(note->IsMinimised());
    EXPECT_TRUE(note->tmrEvent().Enabled());
    EXPECT_FALSE(TopMost(note->Handle()));

    TickAt(note, At(2026, 12, 6, 18, 15, 0));
    EXPECT_TRUE(note->IsVisible());
    EXPECT_FALSE(note->IsMinimised());
    EXPECT_TRUE(TopMost(note->Handle()));
    EXPECT_FALSE(note->tmrEvent().Enabled());
    // Nothing else changes; in particular the stay-on-top item stays unmarked.
    EXPECT_FALSE(note->mnopt().Checked(frmNote::mnuStayOnTop));
    EXPECT_TRUE(note->mnopt().Checked(frmNote::mnuSetDateTime));
    EXPECT_TRUE(note->myTime().Visible());
    EXPECT_EQ(note->myTime().Value().wMinute, 15);
}

TEST_F(ReminderTest, AHiddenNoteComesBackAtItsMinuteFromAnyTickInsideIt) {
    frmNote* note = NoteWithReminder(At(2026, 12, 6), 18, 30);
    Click(*note, note->lblMinimise());  // the hide mark is on
    ASSERT_FALSE(note->IsVisible());
    ASSERT_TRUE(note->tmrEvent().Enabled());
    TickAt(note, At(2026, 12, 6, 18, 29, 59));
    EXPECT_FALSE(note->IsVisible());
    TickAt(note, At(2026, 12, 6, 18, 30, 41));  // a tick late in the minute is enough
    EXPECT_TRUE(note->IsVisible());
    EXPECT_TRUE(TopMost(note->Handle()));
    EXPECT_FALSE(note->tmrEvent().Enabled());
}

TEST_F(ReminderTest, AMinuteThatPassedWhileTheComputerSleptStillBringsTheNoteBack) {
    frmNote* note = NoteWithReminder(At(2026, 12, 6), 19, 0);
    Click(*note, note->lblMinimise());
    TickAt(note, At(2026, 12, 6, 18, 12, 6));
    EXPECT_FALSE(note->IsVisible());
    // Asleep from 18:12 until 21:40: the first tick after waking fires.
    TickAt(note, At(2026, 12, 6, 21, 40, 0));
    EXPECT_TRUE(note->IsVisible());
    EXPECT_FALSE(note->tmrEvent().Enabled());
}

TEST_F(ReminderTest, APastDateOrAnotherDayNeverFires) {
    // Yesterday at this minute: armed now, never due.
    frmNote* past = NoteWithReminder(At(2026, 12, 5), 18, 20);
    Click(*past, past->lblMinimise());
    // Tomorrow at 18:20.
    frmNote* tomorrow = NoteWithReminder(At(2026, 12, 7), 18, 20);
    Click(*tomorrow, tomorrow->lblMinimise());
    for (const SYSTEMTIME& t : {At(2026, 12, 6, 18, 20, 0), At(2026, 12, 6, 18, 20, 30), At(2026, 12, 6, 23, 59, 59)}) {
        TickAt(past, t);
        TickAt(tomorrow, t);
    }
    EXPECT_FALSE(past->IsVisible());
    EXPECT_FALSE(tomorrow->IsVisible());
    EXPECT_TRUE(past->tmrEvent().Enabled()) << "it stays armed";
    TickAt(past, At(2026, 12, 7, 18, 20, 0));
    TickAt(tomorrow, At(2026, 12, 7, 18, 20, 0));
    EXPECT_FALSE(past->IsVisible());
    EXPECT_TRUE(tomorrow->IsVisible()) << "on its own day it fires";
}

TEST_F(ReminderTest, HidingANoteWithTheInitialMidnightDoesNotBringItStraightBack) {
    frmNote* note = NewNote();  // created 2026-12-06 18:12:05; reminder today 00:00
    Click(*note, note->lblMinimise());
    ASSERT_TRUE(note->tmrEvent().Enabled());
    TickAt(note, At(2026, 12, 6, 18, 12, 6));
    TickAt(note, At(2026, 12, 7, 0, 0, 0));
    TickAt(note, At(2026, 12, 9, 8, 0, 0));  // after a long sleep
    EXPECT_FALSE(note->IsVisible());
    EXPECT_TRUE(note->tmrEvent().Enabled());
}

TEST_F(ReminderTest, ANoteHiddenDuringTheMinuteOfItsMidnightReminderComesBack) {
    now = At(2026, 12, 6, 0, 0, 10);
    frmNote* note = NewNote();
    Click(*note, note->lblMinimise());
    TickAt(note, At(2026, 12, 6, 0, 0, 11));
    EXPECT_TRUE(note->IsVisible());
}

TEST_F(ReminderTest, HidingThePickersCancelsAnArmedReminderAndShowingThemDoesNotReArm) {
    frmNote* note = NoteWithReminder(At(2026, 12, 6), 18, 15);
    Minimise(note);
    ASSERT_TRUE(note->tmrEvent().Enabled());
    note->mnopt().Click(frmNote::mnuSetDateTime);
    EXPECT_FALSE(note->tmrEvent().Enabled());
    note->mnopt().Click(frmNote::mnuSetDateTime);
    EXPECT_FALSE(note->tmrEvent().Enabled());
    // A tick still queued from before does nothing.
    TickAt(note, At(2026, 12, 6, 18, 15, 0));
    EXPECT_TRUE(note->IsMinimised());
    EXPECT_FALSE(TopMost(note->Handle()));
}

TEST_F(ReminderTest, AfterFiringOnlyHidingArmsAgainUnlessTheTimeChanges) {
    frmNote* note = NoteWithReminder(At(2026, 12, 6), 18, 15);
    Minimise(note);
    TickAt(note, At(2026, 12, 6, 18, 15, 0));
    ASSERT_FALSE(note->tmrEvent().Enabled());

    now = At(2026, 12, 6, 18, 16, 0);
    Minimise(note);
    EXPECT_TRUE(note->IsMinimised());
    EXPECT_FALSE(note->tmrEvent().Enabled()) << "same time, minimised: not armed";
    SendMessageW(note->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);

    note->mnopt().Click(frmNote::mnuHideMin);  // the mark back on: hide
    Click(*note, note->lblMinimise());
    EXPECT_TRUE(note->tmrEvent().Enabled()) << "hiding arms";
    TickAt(note, At(2026, 12, 6, 18, 16, 1));
    EXPECT_FALSE(note->IsVisible()) << "its minute is over";
    TickAt(note, At(2026, 12, 7, 18, 15, 0));
    EXPECT_FALSE(note->IsVisible()) << "the next day is another date";
}

TEST_F(ReminderTest, TheRealTimerTicksOnceASecondWhileArmed) {
    // The one check on the system's clock and timer: an armed note gets ticks, and a
    // reminder for the current minute fires from the first of them.
    tk::SetClockForTesting(nullptr);
    SYSTEMTIME today = tk::Now();
    frmNote* note = NoteWithReminder(today, today.wHour, today.wMinute);
    Click(*note, note->lblMinimise());
    ASSERT_TRUE(note->tmrEvent().Enabled());
    wintest::Pump(3000, [&] { return !note->tmrEvent().Enabled(); });
    // Armed within the minute: it fires even if the minute turned before the first tick.
    EXPECT_FALSE(note->tmrEvent().Enabled());
    EXPECT_TRUE(note->IsVisible());
    EXPECT_TRUE(TopMost(note->Handle()));
}

TEST_F(ReminderTest, RemindersOfTwoNotesAreTheirOwn) {
    frmNote* a = NoteWithReminder(At(2026, 12, 6), 18, 15);
    frmNote* b = NoteWithReminder(At(2026, 12, 6), 18, 45);
    Click(*a, a->lblMinimise());
    Click(*b, b->lblMinimise());
    TickAt(a, At(2026, 12, 6, 18, 15, 0));
    TickAt(b, At(2026, 12, 6, 18, 15, 0));
    EXPECT_TRUE(a->IsVisible());
    EXPECT_FALSE(b->IsVisible());
    EXPECT_TRUE(b->tmrEvent().Enabled());
    EXPECT_FALSE(TopMost(b->Handle()));
    TickAt(b, At(2026, 12, 6, 18, 45, 0));
    EXPECT_TRUE(b->IsVisible());
}

}  // namespace
