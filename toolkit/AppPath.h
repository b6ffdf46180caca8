#pragma once
// The folder that holds the program's own file, without a trailing separator.
#include <string>

namespace tk {

std::wstring ProgramFolder();

}  // namespace tk
