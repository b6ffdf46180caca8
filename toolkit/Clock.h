#pragma once
// The current local date and time. The reminder checks read it through here, so tests can
// walk a note through a day without waiting for the wall clock.
#include <windows.h>

namespace tk {

// The local date and time now.
SYSTEMTIME Now();
// Today's date at 00:00:00.
SYSTEMTIME Today();

// Test seam: the clock behind Now and Today, the system's.
using Clock = SYSTEMTIME (*)();
extern Clock g_clock;

}  // namespace tk
