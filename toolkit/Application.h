#pragma once
// Process-wide services: start-up hardening, the message loop, end of program, and the
// report of an error that reached a window procedure.
#include <windows.h>

#include <exception>

#include "toolkit/Gdi.h"

namespace tk {

HINSTANCE Instance();

// A picture built into the program as pixel runs (toolkit/core/PixelRuns.h), made into a
// new 24-bit DIB section that the caller owns; null when it cannot be read.
HBITMAP LoadProgramPicture(int id);

// The same picture, read on first use and shared by every caller from then on (one skin
// for all notes); null when it cannot be read.
SharedBitmap ProgramBitmap(int id);

// Call first thing: restricts DLL loading to the system directory and the program's own
// imports.
void InitProcess();

// Registers the common controls (date and time pickers, tooltips); call before making
// one. Not done at start: the hidden main window and the icon need none, and loading the
// library costs the program 1.7 MB of memory at start under Wine. (The release program
// loads comctl32 and comdlg32 only when first called.)
void LoadCommonControls();

// Runs the message loop until the program ends; returns the exit code.
int RunMessageLoop();

// Ends the program at once: every loaded window is destroyed without its own unload
// handling, then the message loop stops (EndProgram.cpp).
void EndProgram();

// Shows an error that reached the dispatch boundary in a message box; the program goes on.
void ReportError(const std::exception& e);

}  // namespace tk
