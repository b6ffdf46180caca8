#include "shell/core/TrayTip.h"

#include <cstring>

namespace shell {

void FillTipField(char* field, size_t size, std::string_view ansiText) {
    if (size == 0) return;
    size_t n = ansiText.size() < size - 1 ? ansiText.size() : size - 1;
    std::memcpy(field, ansiText.data(), n);
    field[n] = '\0';
    std::memset(field + n + 1, ' ', size - n - 1);
}

}  // namespace shell
