// Tray commands that arrive with the about box and the help file. Until then the
// items are there and do nothing.
#include "shell/TrayCommands.h"

void mnuHomePage_Click(tk::Form& owner) { (void)owner; }
void mnuAbout_Click() {}
void mnuHelp_Click(tk::Form& owner) { (void)owner; }
