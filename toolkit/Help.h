#pragma once
// The program's help file, "Gluma Note.chm" beside the program, shown by the HTML Help
// viewer. The tray menu and every note's menu open it the same way.
#include <windows.h>

namespace tk {

// Opens the help file at its default topic, owned by `owner`. The viewer's answer is not
// looked at: a missing file or viewer shows nothing of the program's own.
void ShowProgramHelp(HWND owner);

// The HTML Help library (hhctrl.ocx), loaded from the system folder on first use and kept
// for the rest of the run; null when the system has none.
HMODULE HelpLibrary();

}  // namespace tk
