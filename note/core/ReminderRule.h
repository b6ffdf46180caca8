#pragma once
// When a note's reminder is due.
//
// A reminder is a date (the date picker's value) and a minute of the day (the time
// picker's hours and minutes). While it is armed, the note checks it once a second. The
// reminder is due when the check falls inside the reminder's minute of the reminder's
// date, and also when part of that minute lies after the previous check and the minute
// began no later than this check: a computer that slept, or a program that was blocked,
// through the minute would otherwise skip the only checks that could match, and the
// reminder would be lost for good. A reminder whose minute was over before it was armed
// never fires, so hiding a note with the initial 00:00 does not bring it straight back.
//
// Times are local wall-clock times on the plain Gregorian calendar; no time zone is
// involved, the checks and the pickers both speak local time.
#include <cstdint>
#include <string>

namespace note {

struct LocalTime {
    int year = 1;
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;    // 0..23
    int minute = 0;  // 0..59
    int second = 0;  // 0..59
};

bool operator==(const LocalTime& a, const LocalTime& b);
inline bool operator!=(const LocalTime& a, const LocalTime& b) { return !(a == b); }

// The same day at 00:00:00.
LocalTime DateOf(const LocalTime& t);

// Seconds since 0001-01-01 00:00:00, counting every day as 86,400 seconds.
int64_t SecondsSinceEpoch(const LocalTime& t);

// "hh:mm": the hour as two digits from 00 to 23, a colon, the minute as two digits.
std::string ClockText(const LocalTime& t);

struct ReminderCheck {
    LocalTime reminderDate;   // the date picker's whole value; a picked date is at 00:00:00
    LocalTime reminderTime;   // the time picker's value: only its hours and minutes count
    LocalTime previousCheck;  // the previous check of this armed reminder, or the arming
    LocalTime now;
};

bool IsReminderDue(const ReminderCheck& check);

}  // namespace note
