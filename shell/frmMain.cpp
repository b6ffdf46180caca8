#include "shell/frmMain.h"

#include "resources/resource.h"
#include "shell/TrayCommands.h"
#include "shell/modSysTray.h"
#include "toolkit/Application.h"
#include "toolkit/Dpi.h"

const wchar_t kMainCaption[] = L"\"ZQ\"桌面格卢玛";

frmMain::frmMain() : Form(tk::FormStyle()), m_taskbarCreated(RegisterWindowMessageW(L"TaskbarCreated")) {
    BuildMenu();
}

void frmMain::BuildMenu() {
    m_mnuOptions.AddItem(mnuNew, L"新建桌面格卢玛", [] { mnuNew_Click(); });
    m_mnuOptions.AddItem(mnuShowAll, L"显示所有的格卢玛", [] { mnuShowAll_Click(); });
    m_mnuOptions.AddSeparator();  // mnuBar2
    m_mnuOptions.AddItem(mnuHomePage, L"访问产品主页", [this] { mnuHomePage_Click(*this); });
    m_mnuOptions.AddItem(mnuAbout, L"关于桌面格卢玛", [] { mnuAbout_Click(); });
    m_mnuOptions.AddItem(mnuHelp, L"使用帮助", [this] { mnuHelp_Click(*this); });
    m_mnuOptions.AddSeparator();  // mnubar1
    m_mnuOptions.AddItem(mnuExit, L"退出", [] { mnuExit_Click(); });
}

void frmMain::OnLoad() {
    HINSTANCE inst = tk::Instance();
    // The tray draws the small icon: at the system's small-icon size for our DPI, the image
    // drawn for that size is taken rather than another one stretched. The main window
    // never moves, so its DPI stays the one it was made with.
    const int smallSize = tk::SystemMetricForDpi(SM_CXSMICON, Dpi());
    const int largeSize = tk::SystemMetricForDpi(SM_CXICON, Dpi());
    auto small = static_cast<HICON>(
        LoadImageW(inst, MAKEINTRESOURCEW(IDI_GLUMANOTE), IMAGE_ICON, smallSize, smallSize, LR_SHARED));
    auto large = static_cast<HICON>(
        LoadImageW(inst, MAKEINTRESOURCEW(IDI_GLUMANOTE), IMAGE_ICON, largeSize, largeSize, LR_SHARED));
    SetIcon(small, large);
    SetCaption(kMainCaption);
    AddTrayIcon(*this, Caption());
}

void frmMain::OnUnload(bool& cancel) {
    (void)cancel;  // the system is closing us (log-off, shut-down): we go, whatever it says
    DeleteTrayIcon();
    tk::EndProgram();
}

void frmMain::OnTrayNotification(shell::TrayAction action) {
    // The commands run outside the notification's silent trap: their errors reach the
    // dispatch boundary and are reported like those of any other handler.
    switch (action) {
    case shell::TrayAction::NewNote:
        mnuNew_Click();  // as if the menu's first item had been chosen
        break;
    case shell::TrayAction::PopupMenu:
        PopupTrayMenu();
        break;
    case shell::TrayAction::None:
        break;
    }
}

void frmMain::PopupTrayMenu() {
    // The menu's owner must be the foreground window, or the menu won't close when the
    // user clicks elsewhere.
    SetForegroundWindow(Handle());
    m_mnuOptions.PopupAtPointer(Handle());
    // A hidden owner stays in menu mode until it gets a message of its own; without one, the
    // next tray menu can show and vanish at once (Microsoft Knowledge Base Q135788). After
    // 退出 the window is gone.
    if (Handle()) PostMessageW(Handle(), WM_NULL, 0, 0);
}

LRESULT frmMain::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == m_taskbarCreated && m_taskbarCreated != 0) {
        // The shell restarted and lost every icon: without ours, hidden notes and the exit
        // command would be out of reach.
        RestoreTrayIcon();
        return 0;
    }
    switch (msg) {
    case kTrayCallbackMessage:
        OnTrayNotification(ReadTrayNotification(wParam, lParam));
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam) Unload();
        return 0;
    }
    return Form::HandleMessage(msg, wParam, lParam);
}
