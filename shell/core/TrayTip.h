#pragma once
// The tooltip field of the tray icon record: the text in the ANSI code page, one NUL,
// then spaces to the end of the field.
#include <cstddef>
#include <string_view>

namespace shell {

// Copies at most size - 1 bytes of text; the caller cuts the text at a character
// boundary beforehand if it is longer.
void FillTipField(char* field, size_t size, std::string_view ansiText);

}  // namespace shell
