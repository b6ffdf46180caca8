#pragma once
// The system's colour scheme as the program's windows draw with it: whether the user asked
// for high contrast, readable text colours, and the messages that say the scheme changed.
#include <windows.h>

#include <initializer_list>

#include "toolkit/core/Contrast.h"

namespace tk {

// Whether the user has switched on high-contrast mode: the one place the program asks.
bool HighContrastOn();
// Test seam: the question behind HighContrastOn, the system's. No test machine can be
// switched to high contrast at will.
using HighContrastQuestion = bool (*)();
extern HighContrastQuestion g_highContrastOn;

// True for the messages after which a window must take the scheme's colours again:
// WM_SYSCOLORCHANGE, WM_THEMECHANGED and WM_SETTINGCHANGE for high contrast.
bool IsColourSchemeChange(UINT msg, WPARAM wParam);

Rgb ToRgb(COLORREF colour);
COLORREF ToColorRef(Rgb colour);

// The first of the wanted colours that reads at 4.5:1 on the background; failing all,
// black or white.
COLORREF ReadableOn(COLORREF background, std::initializer_list<COLORREF> wanted);

// Tells the window and its children to draw again.
void RedrawAll(HWND hwnd);
// Passes a scheme change on to the child controls, which the system leaves to their parent.
void PassToChildren(HWND parent, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace tk
