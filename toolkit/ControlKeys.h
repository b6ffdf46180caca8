#pragma once
// Keys a form takes from one of its own controls before the control sees them (Tab out of
// a picker, Ctrl+Tab out of a text box).
#include <windows.h>

#include <functional>

namespace tk {

// `handler` sees each key pressed in the control (WM_KEYDOWN); when it answers true, the
// control sees neither the key nor the character it would have typed. For the control's life.
void TakeKeys(HWND control, std::function<bool(UINT key)> handler);

}  // namespace tk
