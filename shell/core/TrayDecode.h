#pragma once
// Decoding of the tray icon's notifications: the one place that reads them. The shell
// reports mouse activity over the icon as the icon's callback message to the main window,
// with the code of the mouse message that happened in the low word of lParam.
#include <cstdint>

namespace shell {

enum class TrayAction { None, NewNote, PopupMenu };

// The mouse message codes that act (the values of WM_LBUTTONDBLCLK and WM_RBUTTONUP).
constexpr uint32_t kTrayLeftDoubleClick = 0x0203;
constexpr uint32_t kTrayRightButtonUp = 0x0205;

// A left double-click makes a note and a right-button release pops up the tray menu;
// everything else (movement, single clicks, the right press, other buttons) does nothing.
TrayAction TrayActionFor(uint64_t lParam);

}  // namespace shell
