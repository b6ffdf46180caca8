#include "shell/core/TrayDecode.h"

#include "toolkit/core/Rounding.h"

namespace shell {

int32_t TrayCodeFromX(double x, bool unitIsPixels, double twipsPerPixelX) {
    return tk::RoundHalfEven(unitIsPixels ? x : x / twipsPerPixelX);
}

TrayAction TrayActionForCode(int32_t code) {
    switch (code) {
    case 0x0203:  // WM_LBUTTONDBLCLK
        return TrayAction::NewNote;
    case 0x0205:  // WM_RBUTTONUP
        return TrayAction::PopupMenu;
    default:
        return TrayAction::None;
    }
}

}  // namespace shell
