#include "toolkit/Timer.h"

#include "toolkit/Form.h"

namespace tk {

void Timer::SetEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    if (enabled) {
        SetTimer(m_owner.Handle(), m_id, m_interval, nullptr);
    } else {
        KillTimer(m_owner.Handle(), m_id);
    }
}

void Timer::SetInterval(UINT ms) {
    m_interval = ms;
    if (m_enabled) SetTimer(m_owner.Handle(), m_id, m_interval, nullptr);  // replaces the running one
}

}  // namespace tk
