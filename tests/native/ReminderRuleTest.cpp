#include <gtest/gtest.h>

#include "note/core/ReminderRule.h"

namespace {

using note::IsReminderDue;
using note::LocalTime;
using note::ReminderCheck;

LocalTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return LocalTime{y, mo, d, h, mi, s}; }

// A reminder for the given date and minute; the time picker's own date and seconds are
// whatever it was left with and must not matter.
ReminderCheck Reminder(LocalTime date, int hour, int minute) {
    ReminderCheck c;
    c.reminderDate = date;
    c.reminderTime = At(1999, 9, 9, hour, minute, 37);
    return c;
}

bool DueAt(ReminderCheck c, LocalTime previous, LocalTime now) {
    c.previousCheck = previous;
    c.now = now;
    return IsReminderDue(c);
}

TEST(ReminderCalendar, CountsDaysAcrossMonthsYearsAndLeapDays) {
    EXPECT_EQ(note::SecondsSinceEpoch(At(1, 1, 1)), 0);
    EXPECT_EQ(note::SecondsSinceEpoch(At(1, 1, 2)), 86400);
    EXPECT_EQ(note::SecondsSinceEpoch(At(1970, 1, 1)), 719162LL * 86400);
    // 2024 is a leap year, 2100 is not, 2000 is.
    EXPECT_EQ(note::SecondsSinceEpoch(At(2024, 3, 1)) - note::SecondsSinceEpoch(At(2024, 2, 28)), 2 * 86400);
    EXPECT_EQ(note::SecondsSinceEpoch(At(2100, 3, 1)) - note::SecondsSinceEpoch(At(2100, 2, 28)), 86400);
    EXPECT_EQ(note::SecondsSinceEpoch(At(2000, 3, 1)) - note::SecondsSinceEpoch(At(2000, 2, 28)), 2 * 86400);
    EXPECT_EQ(note::SecondsSinceEpoch(At(2027, 1, 1)) - note::SecondsSinceEpoch(At(2026, 12, 31, 23, 59, 59)), 1);
    EXPECT_EQ(note::SecondsSinceEpoch(At(2026, 5, 1)) - note::SecondsSinceEpoch(At(2026, 4, 30)), 86400);
    EXPECT_EQ(note::SecondsSinceEpoch(At(2026, 1, 1)) - note::SecondsSinceEpoch(At(2025, 1, 1)), 365 * 86400);
    EXPECT_EQ(note::SecondsSinceEpoch(At(2025, 1, 1)) - note::SecondsSinceEpoch(At(2024, 1, 1)), 366 * 86400);
    EXPECT_EQ(note::SecondsSinceEpoch(At(2026, 6, 15, 13, 14, 15)) - note::SecondsSinceEpoch(At(2026, 6, 15)),
              13 * 3600 + 14 * 60 + 15);
}

TEST(ReminderCalendar, ClockTextIsTwoDigitHoursAndMinutes) {
    EXPECT_EQ(note::ClockText(At(2026, 1, 1, 0, 0, 59)), "00:00");
    EXPECT_EQ(note::ClockText(At(2026, 1, 1, 9, 5)), "09:05");
    EXPECT_EQ(note::ClockText(At(2026, 1, 1, 13, 45)), "13:45");
    EXPECT_EQ(note::ClockText(At(2026, 1, 1, 23, 59, 59)), "23:59");
    EXPECT_EQ(note::DateOf(At(2026, 7, 8, 9, 10, 11)), At(2026, 7, 8));
}

TEST(ReminderRule, FiresAtEveryTickInsideTheChosenMinute) {
    ReminderCheck c = Reminder(At(2026, 3, 14), 15, 9);
    EXPECT_TRUE(DueAt(c, At(2026, 3, 14, 15, 8, 59), At(2026, 3, 14, 15, 9, 0))) << "the minute's first second";
    // Armed inside the minute: the first tick fires, though the minute began before.
    EXPECT_TRUE(DueAt(c, At(2026, 3, 14, 15, 9, 30), At(2026, 3, 14, 15, 9, 31)));
    EXPECT_TRUE(DueAt(c, At(2026, 3, 14, 15, 9, 58), At(2026, 3, 14, 15, 9, 59))) << "the minute's last second";
    EXPECT_FALSE(DueAt(c, At(2026, 3, 14, 15, 8, 58), At(2026, 3, 14, 15, 8, 59))) << "a second early";
    EXPECT_FALSE(DueAt(c, At(2026, 3, 14, 15, 10, 0), At(2026, 3, 14, 15, 10, 1))) << "the minute is over";
}

TEST(ReminderRule, TheTimePickersDateAndSecondsDoNotCount) {
    ReminderCheck c = Reminder(At(2026, 3, 14), 8, 30);
    c.reminderTime = At(2001, 1, 1, 8, 30, 59);
    EXPECT_TRUE(DueAt(c, At(2026, 3, 14, 8, 29, 59), At(2026, 3, 14, 8, 30, 0)));
    c.reminderTime = At(2030, 12, 31, 8, 30, 0);
    EXPECT_TRUE(DueAt(c, At(2026, 3, 14, 8, 30, 10), At(2026, 3, 14, 8, 30, 11)));
    c.reminderTime = At(2026, 3, 14, 8, 31, 0);
    EXPECT_FALSE(DueAt(c, At(2026, 3, 14, 8, 30, 10), At(2026, 3, 14, 8, 30, 11)));
}

TEST(ReminderRule, AMinuteMissedWhileAsleepOrBlockedStillFires) {
    ReminderCheck c = Reminder(At(2026, 3, 14), 15, 9);
    // Asleep from 15:00 to 15:40: the first tick after waking is due.
    EXPECT_TRUE(DueAt(c, At(2026, 3, 14, 15, 0, 0), At(2026, 3, 14, 15, 40, 0)));
    // Blocked across the whole minute by a modal loop, a few seconds either side.
    EXPECT_TRUE(DueAt(c, At(2026, 3, 14, 15, 8, 57), At(2026, 3, 14, 15, 10, 2)));
    // Asleep for days: the reminder's day and minute lie in between.
    EXPECT_TRUE(DueAt(c, At(2026, 3, 10, 12, 0, 0), At(2026, 3, 20, 9, 0, 0)));
    // The gap ends just before the minute: not yet.
    EXPECT_FALSE(DueAt(c, At(2026, 3, 14, 14, 0, 0), At(2026, 3, 14, 15, 8, 59)));
    // Armed inside the minute, then asleep before the first tick.
    EXPECT_TRUE(DueAt(c, At(2026, 3, 14, 15, 9, 30), At(2026, 3, 14, 15, 40, 0)));
    EXPECT_TRUE(DueAt(c, At(2026, 3, 14, 15, 9, 59), At(2026, 3, 14, 15, 10, 1)));
    // A gap that lies wholly after the minute: it was seen (or lost) earlier.
    EXPECT_FALSE(DueAt(c, At(2026, 3, 14, 15, 10, 0), At(2026, 3, 14, 18, 0, 0)));
}

TEST(ReminderRule, AReminderWhoseMinuteWasOverWhenArmedNeverFires) {
    ReminderCheck c = Reminder(At(2026, 3, 14), 15, 9);
    // Armed at 15:10 (the previous check of the first tick is the arming).
    EXPECT_FALSE(DueAt(c, At(2026, 3, 14, 15, 10, 0), At(2026, 3, 14, 15, 10, 1)));
    EXPECT_FALSE(DueAt(c, At(2026, 3, 14, 15, 10, 0), At(2026, 3, 14, 16, 0, 0))) << "then asleep";
    EXPECT_FALSE(DueAt(c, At(2026, 3, 14, 23, 0, 0), At(2026, 3, 15, 15, 9, 0))) << "the next day at that minute";
    // A past date, checked at its minute on another day.
    ReminderCheck past = Reminder(At(2025, 12, 31), 10, 0);
    EXPECT_FALSE(DueAt(past, At(2026, 1, 1, 9, 59, 59), At(2026, 1, 1, 10, 0, 0)));
    EXPECT_FALSE(DueAt(past, At(2026, 12, 31, 9, 59, 59), At(2026, 12, 31, 10, 0, 0))) << "same day next year";
}

TEST(ReminderRule, TheInitialMidnightReminderDoesNotBringAHiddenNoteBack) {
    // A note created and hidden in the afternoon, with today's date and 00:00.
    ReminderCheck c = Reminder(At(2026, 6, 1), 0, 0);
    EXPECT_FALSE(DueAt(c, At(2026, 6, 1, 14, 30, 0), At(2026, 6, 1, 14, 30, 1))) << "the first tick after hiding";
    EXPECT_FALSE(DueAt(c, At(2026, 6, 1, 23, 59, 59), At(2026, 6, 2, 0, 0, 0))) << "midnight of the next day";
    EXPECT_FALSE(DueAt(c, At(2026, 6, 1, 14, 30, 0), At(2026, 6, 3, 8, 0, 0))) << "after a long sleep";
    // Hidden within that first minute, it fires, as a check inside the minute always did.
    EXPECT_TRUE(DueAt(c, At(2026, 6, 1, 0, 0, 20), At(2026, 6, 1, 0, 0, 21)));
}

TEST(ReminderRule, ADifferentDateDoesNotFireAtTheChosenMinute) {
    ReminderCheck tomorrow = Reminder(At(2026, 6, 2), 9, 0);
    EXPECT_FALSE(DueAt(tomorrow, At(2026, 6, 1, 8, 59, 59), At(2026, 6, 1, 9, 0, 0)));
    EXPECT_FALSE(DueAt(tomorrow, At(2026, 6, 1, 9, 0, 30), At(2026, 6, 1, 9, 0, 31)));
    EXPECT_TRUE(DueAt(tomorrow, At(2026, 6, 2, 8, 59, 59), At(2026, 6, 2, 9, 0, 0)));
    // Same day and month, another year.
    ReminderCheck nextYear = Reminder(At(2027, 6, 1), 9, 0);
    EXPECT_FALSE(DueAt(nextYear, At(2026, 6, 1, 8, 59, 59), At(2026, 6, 1, 9, 0, 0)));
}

TEST(ReminderRule, DayMonthAndYearBoundaries) {
    // Midnight exactly, reached by an ordinary tick.
    ReminderCheck newYear = Reminder(At(2027, 1, 1), 0, 0);
    EXPECT_TRUE(DueAt(newYear, At(2026, 12, 31, 23, 59, 59), At(2027, 1, 1, 0, 0, 0)));
    EXPECT_FALSE(DueAt(newYear, At(2026, 12, 31, 23, 59, 58), At(2026, 12, 31, 23, 59, 59)));
    // 23:59 missed by a sleep that ends after midnight.
    ReminderCheck lastMinute = Reminder(At(2026, 12, 31), 23, 59);
    EXPECT_TRUE(DueAt(lastMinute, At(2026, 12, 31, 23, 58, 30), At(2027, 1, 1, 0, 0, 30)));
    EXPECT_FALSE(DueAt(lastMinute, At(2027, 1, 1, 0, 0, 0), At(2027, 1, 1, 0, 0, 1)));
    // 00:05 of the next day missed by a sleep that began before midnight.
    ReminderCheck early = Reminder(At(2026, 3, 1), 0, 5);
    EXPECT_TRUE(DueAt(early, At(2026, 2, 28, 23, 50, 0), At(2026, 3, 1, 0, 10, 0)));
    // The leap day.
    ReminderCheck leap = Reminder(At(2028, 2, 29), 12, 0);
    EXPECT_TRUE(DueAt(leap, At(2028, 2, 29, 11, 59, 59), At(2028, 2, 29, 12, 0, 0)));
    EXPECT_TRUE(DueAt(leap, At(2028, 2, 28, 22, 0, 0), At(2028, 3, 1, 6, 0, 0)));
    EXPECT_FALSE(DueAt(leap, At(2028, 3, 1, 11, 59, 59), At(2028, 3, 1, 12, 0, 0)));
}

TEST(ReminderRule, AClockSetBackDoesNotFireAndDoesNotBlockTheMinute) {
    ReminderCheck c = Reminder(At(2026, 10, 25), 2, 30);
    // The clock went back an hour: previous check after now.
    EXPECT_FALSE(DueAt(c, At(2026, 10, 25, 3, 0, 0), At(2026, 10, 25, 2, 0, 0)));
    // ... and the minute then comes round by ordinary ticks.
    EXPECT_TRUE(DueAt(c, At(2026, 10, 25, 3, 0, 0), At(2026, 10, 25, 2, 30, 0)));
}

TEST(ReminderRule, ADateValueWithATimeOfDayNeverMatchesToday) {
    // Only a date at 00:00:00 can equal the current date; the pickers give such dates,
    // anything else never fires, by the minute or after a gap.
    ReminderCheck c = Reminder(At(2026, 3, 14, 0, 0, 1), 15, 9);
    EXPECT_FALSE(DueAt(c, At(2026, 3, 14, 15, 8, 59), At(2026, 3, 14, 15, 9, 0)));
    EXPECT_FALSE(DueAt(c, At(2026, 3, 14, 15, 0, 0), At(2026, 3, 14, 16, 0, 0)));
}

}  // namespace
