#pragma once
// The system's own description of an error code, for messages that tell the user why.
#include <windows.h>

#include <string>

namespace tk {

// The system's text for the code (in the user's language where the system has it), without
// trailing line breaks; empty when the system has no text for it.
std::wstring SystemErrorText(DWORD code);

}  // namespace tk
