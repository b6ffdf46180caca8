#pragma once
// Which characters of a text a code page cannot hold (the system's ANSI code page, or UTF-8
// for lone surrogates), so the user can be told before they are written as "?".
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tk {

// The distinct characters of text that have no code in codePage (CP_ACP, CP_UTF8; best-fit
// look-alikes do not count as a code), in order of first appearance, at most max of them.
// A character outside the Basic Multilingual Plane is one entry of two UTF-16 units; a
// lone surrogate is an entry of its own.
std::vector<std::wstring> CharactersNotIn(unsigned codePage, std::wstring_view text, std::size_t max);

}  // namespace tk
