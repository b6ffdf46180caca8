// The new-note command: the tray menu's first item and the tray icon's double-click.
#include <cstdint>
#include <string>

#include "shell/Dform.h"
#include "shell/TrayCommands.h"
#include "toolkit/LoadedForms.h"
#include "toolkit/core/Digits.h"
#include "toolkit/core/Errors.h"

void mnuNew_Click() {
    // Numbered by the windows loaded before it (the about box counts too), held in 16 bits.
    const int count = tk::LoadedForms::Count() + 1;
    if (count > INT16_MAX) throw tk::OverflowError();
    const int16_t n = static_cast<int16_t>(count);
    NewNote(L"Form" + tk::Decimal<wchar_t>(n), L"Gluma Note");
}
