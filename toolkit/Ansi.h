#pragma once
// Text in the system's ANSI code page, where it crosses to the platform (tooltip, help
// path, note files).
#include <string>
#include <string_view>

namespace tk {

// *lossy is set when a character has no representation in the code page.
std::string ToAnsi(std::wstring_view text, bool* lossy = nullptr);
std::wstring FromAnsi(std::string_view text);

}  // namespace tk
