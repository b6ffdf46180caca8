#pragma once
// Keeping a window above all others, or putting it back among the ordinary windows.
#include <windows.h>

namespace tk {

// SetWindowPos with HWND_TOPMOST or HWND_NOTOPMOST, keeping the window's place and size.
// Returns whether the window is topmost afterwards.
bool SetTopmost(HWND hwnd, bool topmost);

}  // namespace tk
