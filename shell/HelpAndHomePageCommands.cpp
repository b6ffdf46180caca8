// The tray's help and home-page commands. Neither looks at what the help viewer or the
// shell answers: a missing help file or browser shows nothing of ours.
#include "shell/TrayCommands.h"
#include "toolkit/Form.h"
#include "toolkit/Help.h"
#include "toolkit/WebPage.h"

void mnuHomePage_Click(tk::Form& owner) { tk::OpenWebPage(owner.Handle()); }

void mnuHelp_Click(tk::Form& owner) { tk::ShowProgramHelp(owner.Handle()); }
