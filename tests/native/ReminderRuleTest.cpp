#include <gtest/gtest.h>

#include "note/core/ReminderRule.h"

using note::LocalTime;

static LocalTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return LocalTime{y, mo, d, h, mi, s}; }

// One check: the reminder's date and minute, the previous check (or the arming) and now.
// The time picker's own date and seconds are whatever it was left with and never count.
TEST(ReminderRule, DueInItsMinuteOrWhenTheMinutePassedUnseenSinceThePreviousCheck) {
    const struct { const char* what; LocalTime date; int h, m; LocalTime previous, now; bool due; } cases[] = {
        {"first second", At(2026, 3, 14), 15, 9, At(2026, 3, 14, 15, 8, 59), At(2026, 3, 14, 15, 9), true},
        {"last second", At(2026, 3, 14), 15, 9, At(2026, 3, 14, 15, 9, 58), At(2026, 3, 14, 15, 9, 59), true},
        {"a second early", At(2026, 3, 14), 15, 9, At(2026, 3, 14, 15, 8, 58), At(2026, 3, 14, 15, 8, 59), false},
        {"minute over", At(2026, 3, 14), 15, 9, At(2026, 3, 14, 15, 10), At(2026, 3, 14, 15, 10, 1), false},
        {"asleep across it", At(2026, 3, 14), 15, 9, At(2026, 3, 14, 15, 0), At(2026, 3, 14, 15, 40), true},
        {"blocked across it", At(2026, 3, 14), 15, 9, At(2026, 3, 14, 15, 8, 57), At(2026, 3, 14, 15, 10, 2), true},
        {"asleep for days", At(2026, 3, 14), 15, 9, At(2026, 3, 10, 12, 0), At(2026, 3, 20, 9, 0), true},
        {"gap ends before", At(2026, 3, 14), 15, 9, At(2026, 3, 14, 14, 0), At(2026, 3, 14, 15, 8, 59), false},
        {"armed inside, slept", At(2026, 3, 14), 15, 9, At(2026, 3, 14, 15, 9, 59), At(2026, 3, 14, 15, 10, 1), true},
        {"armed after it", At(2026, 3, 14), 15, 9, At(2026, 3, 14, 15, 10), At(2026, 3, 14, 16, 0), false},
        {"next day, same minute", At(2026, 3, 14), 15, 9, At(2026, 3, 14, 23, 0), At(2026, 3, 15, 15, 9), false},
        {"a past date", At(2025, 12, 31), 10, 0, At(2026, 12, 31, 9, 59, 59), At(2026, 12, 31, 10, 0), false},
        {"another date", At(2026, 6, 2), 9, 0, At(2026, 6, 1, 8, 59, 59), At(2026, 6, 1, 9, 0), false},
        {"another year", At(2027, 6, 1), 9, 0, At(2026, 6, 1, 8, 59, 59), At(2026, 6, 1, 9, 0), false},
        {"hidden at 14:30, 00:00", At(2026, 6, 1), 0, 0, At(2026, 6, 1, 14, 30), At(2026, 6, 1, 14, 30, 1), false},
        {"next midnight", At(2026, 6, 1), 0, 0, At(2026, 6, 1, 23, 59, 59), At(2026, 6, 2), false},
        {"hidden at 00:00:20", At(2026, 6, 1), 0, 0, At(2026, 6, 1, 0, 0, 20), At(2026, 6, 1, 0, 0, 21), true},
        {"new year", At(2027, 1, 1), 0, 0, At(2026, 12, 31, 23, 59, 59), At(2027, 1, 1), true},
        {"asleep over midnight", At(2026, 12, 31), 23, 59, At(2026, 12, 31, 23, 58, 30), At(2027, 1, 1, 0, 0, 30), true},
        {"asleep into March", At(2026, 3, 1), 0, 5, At(2026, 2, 28, 23, 50), At(2026, 3, 1, 0, 10), true},
        {"across a leap day", At(2028, 2, 29), 12, 0, At(2028, 2, 28, 22, 0), At(2028, 3, 1, 6, 0), true},
        {"2100 has no leap day", At(2100, 3, 1), 0, 30, At(2100, 2, 28, 23, 0), At(2100, 3, 1, 1, 0), true},
        {"2000 has one", At(2000, 3, 1), 0, 30, At(2000, 2, 29, 23, 0), At(2000, 3, 1, 1, 0), true},
        {"clock set back", At(2026, 10, 25), 2, 30, At(2026, 10, 25, 3, 0), At(2026, 10, 25, 2, 0), false},
        {"then its minute", At(2026, 10, 25), 2, 30, At(2026, 10, 25, 3, 0), At(2026, 10, 25, 2, 30), true},
        {"date with a time", At(2026, 3, 14, 0, 0, 1), 15, 9, At(2026, 3, 14, 15, 0), At(2026, 3, 14, 16, 0), false},
        {"...at its minute", At(2026, 3, 14, 0, 0, 1), 15, 9, At(2026, 3, 14, 15, 8, 59), At(2026, 3, 14, 15, 9), false},
    };
    for (const auto& c : cases) {
        const note::ReminderCheck check{c.date, At(1999, 9, 9, c.h, c.m, 37), c.previous, c.now};
        EXPECT_EQ(note::IsReminderDue(check), c.due) << c.what;
    }
}
