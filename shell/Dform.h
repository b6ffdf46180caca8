#pragma once
// Dform: the one place where note windows are made.
#include <string>

// Makes a note window, gives it the tag, the caption and its creation stamp ("创建于 ",
// the regional short date, a blank, the regional time) and shows it where the system
// places new windows. Keeps no reference: the note is reachable through LoadedForms.
void NewNote(std::wstring tag, std::wstring caption);
