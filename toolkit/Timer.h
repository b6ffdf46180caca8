#pragma once
// A timer of a form: while enabled, the form's OnTimer receives its id every interval.
#include <windows.h>

namespace tk {

class Form;

class Timer {
public:
    Timer(Form& owner, UINT_PTR id, UINT intervalMs) : m_owner(owner), m_id(id), m_interval(intervalMs) {}
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    // No KillTimer here: the timer dies with its window, which is gone before the form.

    UINT_PTR Id() const { return m_id; }
    bool Enabled() const { return m_enabled; }
    // Switching on a timer that is on changes nothing: its ticks keep their rhythm.
    void SetEnabled(bool enabled);
    UINT Interval() const { return m_interval; }
    // The next tick comes a full new interval later.
    void SetInterval(UINT ms);

private:
    Form& m_owner;  // we don't own it
    UINT_PTR m_id;
    UINT m_interval;
    bool m_enabled = false;
};

}  // namespace tk
