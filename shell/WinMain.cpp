// GlumaNote: a resident desktop-notes program that lives in the notification area.
#include <windows.h>

#include <exception>

#include "shell/frmMain.h"
#include "toolkit/Application.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    tk::InitProcess();
    // The main window stays hidden; its load adds the tray icon.
    try {
        if (!tk::LoadForm<frmMain>()) return 1;
    } catch (const std::exception& e) {
        tk::ReportError(e);  // no window, no icon: say why before giving up
        return 1;
    }
    return tk::RunMessageLoop();
}
