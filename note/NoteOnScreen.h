#pragma once
// Keeping a note's card on a screen when the display layout changes (a monitor removed,
// the resolution lowered): see note/core/CardPlacement.h for the rule.
#include <windows.h>

namespace note {

// Moves the note, whatever its state (shown, hidden or minimised), so that its card (the
// window's shape, not its rectangle) lies on a monitor's work area again, if it lies on none.
void KeepCardOnScreen(HWND note);

}  // namespace note
