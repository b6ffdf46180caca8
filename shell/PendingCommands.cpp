// Tray commands that arrive with the note windows and the about box. Until then the
// items are there and do nothing.
#include "shell/TrayCommands.h"

void mnuNew_Click() {}
void mnuHomePage_Click(tk::Form& owner) { (void)owner; }
void mnuAbout_Click() {}
void mnuHelp_Click(tk::Form& owner) { (void)owner; }
