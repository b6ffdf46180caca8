#pragma once
// The current local date and time. The reminder checks read it through here, so tests can
// walk a note through a day without waiting for the wall clock.
#include <windows.h>

#include <functional>

namespace tk {

// The local date and time now.
SYSTEMTIME Now();
// Today's date at 00:00:00.
SYSTEMTIME Today();

// Replaces the system clock for this process; an empty function puts the system clock back.
void SetClockForTesting(std::function<SYSTEMTIME()> clock);

}  // namespace tk
