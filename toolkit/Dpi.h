#pragma once
// Display scale: the one place where a layout designed at 96 dots per inch becomes device
// pixels for a window's DPI. Every layout number of the program's windows is written at
// 96 dpi and passed through Scale() with the DPI of the window it lies in.
//
// The per-monitor functions of the system exist only from Windows 10 on: they are looked
// up by name, never imported, so the program still starts on Windows 7 and 8, where the
// system DPI stands in for them.
#include <windows.h>

namespace tk {

// The dots per inch of a screen the system does not describe (and of most screens).
constexpr int kStandardDpi = 96;

// The DPI the system gives programs at start (the primary monitor's, on Windows 7 and 8
// every monitor's).
int SystemDpi();
// The DPI of the monitor a window is on, as the system last told the window; the system
// DPI where the system has no per-window DPI.
int DpiOf(HWND hwnd);

// A length designed at 96 dpi, in pixels at `dpi` (to the nearest pixel, halves to even).
int Scale(int value96, int dpi);
RECT ScaleRect(const RECT& rect96, int dpi);
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
