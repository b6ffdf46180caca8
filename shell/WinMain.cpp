// GlumaNote: a resident desktop-notes program that lives in the notification area.
#include <windows.h>

#include "shell/frmMain.h"
#include "toolkit/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tk::InitProcess();
    // The main window stays hidden; its load adds the tray icon.
    if (!tk::LoadForm<frmMain>()) return 1;
    return tk::RunMessageLoop();
}
