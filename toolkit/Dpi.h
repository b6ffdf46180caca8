#pragma once
// Display scale for windows: the DPI a window is shown at, and the system's metrics, frames
// and fonts for it. The rule that turns a 96-dpi length or a point size into pixels is
// toolkit/core/DpiScale.h (Scale, PointsToPixels), which this header brings along.
//
// The system's per-window DPI functions exist only from Windows 10 (1607) on, and
// GetDpiForMonitor only from Windows 8.1 on: all are looked up by name, never imported, so
// the program still starts on Windows 7 and 8. On Windows 8.1 and the first Windows 10
// versions a window's DPI is its monitor's, from shcore's GetDpiForMonitor; on Windows 7
// and 8 every window has the system DPI.
#include <windows.h>

#include "toolkit/core/DpiScale.h"

namespace tk {

// The DPI the system gives programs at start (the primary monitor's, on Windows 7 and 8
// every monitor's).
int SystemDpi();
// The DPI of the monitor a window is on, as the system last told the window (or, before
// Windows 10, as shcore gives it for the window's monitor); the system DPI where the
// system has neither.
int DpiOf(HWND hwnd);

// The left, top, width and height of a rectangle designed at 96 dpi, in pixels at `dpi`:
// each of the four is scaled on its own, so equal widths stay equal.
RECT ScaleBox(int left, int top, int width, int height, int dpi);

// A system metric (SM_CXSMICON, SM_CXCURSOR, ...) for a window at `dpi`.
int SystemMetricForDpi(int index, int dpi);
// Grows a client rectangle to the window rectangle of the style at `dpi`.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

// Moves a child control to a rectangle of its parent's client pixels and gives it a font.
void PlaceControl(HWND control, const RECT& rect, HFONT font);

// A font by face name and points, as the window designs give them, for a window at `dpi`.
HFONT CreatePointFont(const wchar_t* face, double points, bool bold, bool underline, BYTE charset, int dpi);

}  // namespace tk
