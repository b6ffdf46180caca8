// The tray's about command.
#include "shell/TrayCommands.h"
#include "shell/frmAbout.h"

void mnuAbout_Click() {
    // Modeless and without an owner; an open box is shown again, never a second one.
    frmAbout::ShowAbout();
}
