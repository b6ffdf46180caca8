#pragma once
// Text in the system's ANSI code page, where it crosses to the platform (tooltip, help
// path), and in any code page the system knows (note files: the ANSI code page or UTF-8).
#include <string>
#include <string_view>

namespace tk {

// *lossy is set when a character has no representation in the code page (for UTF-8: a
// lone surrogate); it is then written as the code page's default character.
std::string ToAnsi(std::wstring_view text, bool* lossy = nullptr);
std::wstring FromAnsi(std::string_view text);

// The same for the code page codePage (CP_ACP, CP_UTF8). *invalid is set when some bytes
// are not valid in the code page; they become the replacement character.
std::string ToCodePage(unsigned codePage, std::wstring_view text, bool* lossy = nullptr);
std::wstring FromCodePage(unsigned codePage, std::string_view bytes, bool* invalid = nullptr);

}  // namespace tk
