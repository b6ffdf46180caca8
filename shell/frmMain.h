#pragma once
// The main window: hidden for the whole run, owner of the tray icon, receiver of its
// notifications and carrier of the tray menu.
#include "shell/core/TrayDecode.h"
#include "toolkit/Form.h"
#include "toolkit/PopupMenu.h"

class frmMain : public tk::Form {
public:
    enum MenuId : UINT {
        mnuNew = 101,
        mnuShowAll,
        mnuHomePage,
        mnuAbout,
        mnuHelp,
        mnuExit,
    };

    frmMain();
    tk::PopupMenu& mnuOptions() { return m_mnuOptions; }

protected:
    void OnLoad() override;
    void OnUnload(bool& cancel) override;
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void BuildMenu();
    void OnTrayNotification(shell::TrayAction action);
    void PopupTrayMenu();

    tk::PopupMenu m_mnuOptions;
    UINT m_taskbarCreated;  // the message the shell broadcasts when it has restarted
};

// The caption, which is also the tray icon's tooltip.
extern const wchar_t kMainCaption[];
