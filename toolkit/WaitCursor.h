#pragma once
// The hourglass while the program is busy on the user's behalf (a long file read or
// written); the pointer it replaced comes back at the end of the scope.
#include <windows.h>

namespace tk {

class WaitCursor {
public:
    WaitCursor() : m_previous(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
    ~WaitCursor() { SetCursor(m_previous); }

private:
    HCURSOR m_previous;  // shared system cursor; we don't own it
};

}  // namespace tk
