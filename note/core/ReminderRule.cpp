#include "note/core/ReminderRule.h"

#include "toolkit/core/Digits.h"

namespace note {
namespace {

// Days from 0001-01-01 to the given Gregorian date (the civil-from-days inverse, shifted
// so that March is the first month and the leap day ends the year).
int64_t DaysSinceEpoch(int year, int month, int day) {
    const int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yearOfEra = y - era * 400;
    const int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;
    const int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    // 719,468 days lie between 0000-03-01 and 1970-01-01, 719,162 between 0001-01-01
    // and 1970-01-01.
    return era * 146097 + dayOfEra - 719468 + 719162;
}

// The first second of the reminder's minute, or -1 when the date carries a time of day
// and so can never equal a current date.
int64_t ReminderStart(const ReminderCheck& c) {
    if (c.reminderDate != DateOf(c.reminderDate)) return -1;
    LocalTime start = c.reminderDate;
    start.hour = c.reminderTime.hour;
    start.minute = c.reminderTime.minute;
    return SecondsSinceEpoch(start);
}

}  // namespace

bool operator==(const LocalTime& a, const LocalTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second;
}

LocalTime DateOf(const LocalTime& t) {
    LocalTime d = t;
    d.hour = d.minute = d.second = 0;
    return d;
}

int64_t SecondsSinceEpoch(const LocalTime& t) {
    return DaysSinceEpoch(t.year, t.month, t.day) * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

std::string ClockText(const LocalTime& t) {
    std::string text;
    for (int part : {t.hour % 100, t.minute % 100}) {
        if (!text.empty()) text += ':';
        if (part >= 0 && part < 10) text += '0';
        text += tk::Decimal<char>(part);
    }
    return text;
}

bool IsReminderDue(const ReminderCheck& c) {
    // The check that falls inside the minute: the date value equals today as a date, and
    // the two clock texts agree.
    if (c.reminderDate == DateOf(c.now) && ClockText(c.reminderTime) == ClockText(c.now)) return true;
    // Part of the minute lies between the previous check and this one: no check fell in
    // that part, so the minute may have passed unseen.
    const int64_t start = ReminderStart(c);
    return start >= 0 && SecondsSinceEpoch(c.previousCheck) < start + 60 && start <= SecondsSinceEpoch(c.now);
}

}  // namespace note
