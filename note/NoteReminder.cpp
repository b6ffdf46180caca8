#include "note/NoteReminder.h"

#include "toolkit/Clock.h"
#include "toolkit/Form.h"

namespace note {
namespace {

LocalTime ToLocalTime(const SYSTEMTIME& st) {
    return LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

}  // namespace

NoteReminder::NoteReminder(tk::Form& note, std::function<void()> onDue)
    : m_note(note), m_onDue(std::move(onDue)), m_tmrEvent(note, kTimerId, kCheckIntervalMs) {}

void NoteReminder::Create(const Layout& layout) {
    tk::DatePickerArgs date;
    date.id = layout.dateId;
    date.rect = layout.date;
    date.kind = tk::PickerKind::Date;
    date.font = layout.font;
    date.visible = false;
    date.name = L"提醒日期";
    date.onKey = layout.onKey;
    m_myDate.Create(m_note, date);

    tk::DatePickerArgs time = date;
    time.id = layout.timeId;
    time.rect = layout.time;
    time.kind = tk::PickerKind::Time;
    time.name = L"提醒时间";
    m_myTime.Create(m_note, time);
    // As designed: 00:00. The day does not matter, only hours and minutes count.
    m_myTime.SetValue(tk::Today());
    m_myTime.OnChange([this] { myTime_Change(); });
}

void NoteReminder::Load() {
    m_myDate.SetValue(tk::Today());
    m_tmrEvent.SetEnabled(false);
}

void NoteReminder::SetLayout(const RECT& date, const RECT& time, HFONT font) {
    m_myDate.SetLayout(date, font);
    m_myTime.SetLayout(time, font);
}

void NoteReminder::ShowPickers() {
    // The date first: a picker's control is made when it is first shown, and the
    // keyboard's tab order is the order they were made in.
    m_myDate.SetVisible(true);
    m_myTime.SetVisible(true);
}

void NoteReminder::HidePickers() {
    m_myTime.SetVisible(false);
    m_myDate.SetVisible(false);
    m_tmrEvent.SetEnabled(false);  // an armed reminder is cancelled
}

void NoteReminder::ArmIfChanged() {
    if (!m_bTimeChanged) return;
    m_bTimeChanged = false;
    Arm();
}

void NoteReminder::Arm() {
    // Switching on a running timer changes nothing: the previous check stays what it was.
    if (m_tmrEvent.Enabled()) return;
    m_previousCheck = ToLocalTime(tk::Now());
    m_tmrEvent.SetEnabled(true);
}

void NoteReminder::Tick() {
    // A tick may still be queued after the timer was switched off.
    if (!m_tmrEvent.Enabled()) return;
    ReminderCheck check;
    check.reminderDate = ToLocalTime(m_myDate.Value());
    check.reminderTime = ToLocalTime(m_myTime.Value());
    check.previousCheck = m_previousCheck;
    check.now = ToLocalTime(tk::Now());
    m_previousCheck = check.now;
    if (!IsReminderDue(check)) return;
    // It fires once: off first, so nothing the note does when told can see it armed.
    m_tmrEvent.SetEnabled(false);
    if (m_onDue) m_onDue();
}

}  // namespace note
