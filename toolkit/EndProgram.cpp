// The end of the program: every loaded form's window goes, then the message loop stops.
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/LoadedForms.h"

namespace tk {

void EndProgram() {
    // Newest first, so the main window at index 0 goes last.
    while (LoadedForms::Count() > 0) {
        Form* form = LoadedForms::Item(LoadedForms::Count() - 1);
        form->Destroy();
        // A window that refused to die must not keep us looping.
        if (LoadedForms::Count() > 0 && LoadedForms::Item(LoadedForms::Count() - 1) == form)
            LoadedForms::Remove(form);
    }
    PostQuitMessage(0);
}

}  // namespace tk
