// The new-note command arrives with the note window. Until then the item does nothing.
#include "shell/TrayCommands.h"

void mnuNew_Click() {}
