#pragma once
// Decoding of the tray icon's notifications. The shell reports mouse activity over the
// icon as a mouse-move message to the main window whose X coordinate is the code of the
// mouse message that happened; the main window sees X in its own unit.
#include <cstdint>

namespace shell {

enum class TrayAction { None, NewNote, PopupMenu };

// Recovers the mouse message code from X. In twips, X is divided by the screen's twips
// per pixel; both branches round halves to the even neighbour. Raises tk::OverflowError
// for an X that does not give a 32-bit code.
int32_t TrayCodeFromX(double x, bool unitIsPixels, double twipsPerPixelX);

// Only a left double-click and a right-button release do anything.
TrayAction TrayActionForCode(int32_t code);

}  // namespace shell
