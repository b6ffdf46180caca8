#pragma once
// A note's reminder: the date picker myDate, the time picker myTime, the one-second timer
// tmrEvent, the flag m_bTimeChanged and the previous check. The note owns one, lays out
// its pickers, decides when to arm it (its minimise mark) and is told when it is due; the
// reminder never touches the note's window itself.
#include <windows.h>

#include <functional>

#include "note/core/ReminderRule.h"
#include "toolkit/DatePicker.h"
#include "toolkit/Timer.h"

namespace tk {
class Form;
}

namespace note {

class NoteReminder {
public:
    // The timer's id among the note's timers; the note passes its ticks on to Tick().
    static constexpr UINT_PTR kTimerId = 1;
    static constexpr UINT kCheckIntervalMs = 1000;

    struct Layout {
        int dateId = 0;
        int timeId = 0;
        RECT date{};          // client pixels of the note
        RECT time{};
        HFONT font = nullptr;  // we don't own it; it must outlive the pickers
        std::function<bool(UINT key)> onKey;  // a key the note takes from a picker first
    };

    // `onDue` runs once when the reminder fires, after the timer has been switched off.
    NoteReminder(tk::Form& note, std::function<void()> onDue);
    NoteReminder(const NoteReminder&) = delete;
    NoteReminder& operator=(const NoteReminder&) = delete;

    // From the note's OnCreate: the pickers, hidden (their controls are made when first shown).
    void Create(const Layout& layout);
    // From the note's load: the date is today, the timer is off.
    void Load();

    // The pickers' places and font after a DPI change; the font must outlive the pickers.
    void SetLayout(const RECT& date, const RECT& time, HFONT font);

    void ShowPickers();
    // Hiding the pickers also cancels an armed reminder; values and flag stay.
    void HidePickers();

    // Arms the reminder if the time was changed since it was last armed, and uses the change up.
    void ArmIfChanged();
    // Arms the reminder; an armed one keeps its previous check.
    void Arm();
    bool Armed() const { return m_tmrEvent.Enabled(); }

    // The once-a-second check.
    void Tick();

private:
    void myTime_Change() { m_bTimeChanged = true; }

    tk::Form& m_note;  // we don't own it: the note owns us
    std::function<void()> m_onDue;
    tk::DatePicker m_myDate;
    tk::DatePicker m_myTime;
    tk::Timer m_tmrEvent;
    // The reminder time was changed and the reminder has not been armed since.
    bool m_bTimeChanged = false;
    // The previous check, or the moment the reminder was armed: a minute that passes
    // between two checks (sleep, a blocked loop) is still caught.
    LocalTime m_previousCheck;
};

}  // namespace note
