#include "shell/TrayCommands.h"

#include "shell/modSysTray.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/LoadedForms.h"

void mnuShowAll_Click() {
    // Index 0 is the main window, which stays hidden. Counted once: showing a window
    // loads nothing new.
    int count = tk::LoadedForms::Count();
    for (int i = 1; i <= count - 1; ++i) {
        if (tk::Form* form = tk::LoadedForms::Item(i)) form->Show();
    }
}

void mnuExit_Click() {
    DeleteTrayIcon();
    tk::EndProgram();
}
