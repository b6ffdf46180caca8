// The reminder: two pickers shown from the note menu, armed by the minimise mark, checked
// once a second, and when due the note comes forward above every other window.
#include "note/frmNote.h"

#include "toolkit/Clock.h"
#include "toolkit/WindowOrder.h"

namespace {

note::LocalTime ToLocalTime(const SYSTEMTIME& st) {
    return note::LocalTime{st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
}

}  // namespace

void frmNote::mnuSetDateTime_Click() {
    if (!m_mnopt.Checked(mnuSetDateTime)) {
        m_myTime.SetVisible(true);
        m_myDate.SetVisible(true);
        m_mnopt.SetChecked(mnuSetDateTime, true);
        m_txtNote.SetHeight(kTextHeightWithPickers);
    } else {
        m_myTime.SetVisible(false);
        m_myDate.SetVisible(false);
        m_mnopt.SetChecked(mnuSetDateTime, false);
        m_tmrEvent.SetEnabled(false);  // an armed reminder is cancelled
        m_txtNote.SetHeight(kTextHeightWithoutPickers);
    }
}

void frmNote::myTime_Change() { m_bTimeChanged = true; }

void frmNote::ArmReminder() {
    // Switching on a running timer changes nothing: the previous check stays what it was.
    if (m_tmrEvent.Enabled()) return;
    m_previousCheck = ToLocalTime(tk::Now());
    m_tmrEvent.SetEnabled(true);
}

void frmNote::tmrEvent_Timer() {
    // A tick may still be queued after the timer was switched off.
    if (!m_tmrEvent.Enabled()) return;
    note::ReminderCheck check;
    check.reminderDate = ToLocalTime(m_myDate.Value());
    check.reminderTime = ToLocalTime(m_myTime.Value());
    check.previousCheck = m_previousCheck;
    check.now = ToLocalTime(tk::Now());
    m_previousCheck = check.now;
    if (!note::IsReminderDue(check)) return;

    // A minimised note would only be "shown" in the taskbar: bring it back to its card.
    if (IsMinimised()) ShowWindow(Handle(), SW_RESTORE);
    Show();
    tk::SetTopmost(Handle(), true);
    m_tmrEvent.SetEnabled(false);
}
