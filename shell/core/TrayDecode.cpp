#include "shell/core/TrayDecode.h"

namespace shell {

TrayAction TrayActionFor(uint64_t lParam) {
    switch (lParam & 0xFFFF) {
    case kTrayLeftDoubleClick:
        return TrayAction::NewNote;
    case kTrayRightButtonUp:
        return TrayAction::PopupMenu;
    default:
        return TrayAction::None;
    }
}

}  // namespace shell
