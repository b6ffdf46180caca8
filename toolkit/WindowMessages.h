#pragma once
// The program's private window messages, all in one place so no two share a number.
#include <windows.h>

namespace tk {

// Posted by a form's accessible object to itself: run the default action of element wParam
// (1-based) from the message loop, outside the reader's call.
constexpr UINT WM_ACCESSIBLE_ACTION = WM_APP + 1;

}  // namespace tk
