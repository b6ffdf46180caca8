#pragma once
// The one way the toolkit fails when the system will not make a window, a control or a
// window class: an error that names what could not be made and carries the system's own
// reason, shown in the program's language at the dispatch boundary.
#include <windows.h>

namespace tk {

// Throws the error for `what` (a name the user can read, such as L"文本框 (EDIT)") with the
// system's text for the calling thread's last error.
[[noreturn]] void ThrowCreateFailure(const wchar_t* what);

// Returns `made`; throws as above when it is null. Pass CreateWindowEx's result straight
// in, so nothing can change the last error in between.
inline HWND RequireCreated(HWND made, const wchar_t* what) {
    if (!made) ThrowCreateFailure(what);
    return made;
}

}  // namespace tk
