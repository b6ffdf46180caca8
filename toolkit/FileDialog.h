#pragma once
// The system's open and save dialogs, as one window uses them for its files: no filter, no
// default extension, no initial folder, the system's own titles. The dialog remembers the
// name chosen last and offers it as the initial name the next time either dialog opens.
#include <windows.h>

#include <string>

namespace tk {

class FileDialog {
public:
    // Each returns true when the user chose a file; FileName() is then its full path.
    // False when the user cancelled, or when the dialog could not be shown (see Failure()).
    // The save dialog asks before a name of an existing file is taken; the open dialog
    // takes only names of existing files.
    bool ShowOpen(HWND owner);
    bool ShowSave(HWND owner);

    // The name chosen last (empty until a file was chosen).
    const std::wstring& FileName() const { return m_fileName; }
    void SetFileName(std::wstring name) { m_fileName = std::move(name); }

    // The common dialog error code of the last show (CommDlgExtendedError), 0 when the
    // dialog closed normally, by OK or by cancel.
    DWORD Failure() const { return m_failure; }

private:
    bool Show(HWND owner, bool save);

    std::wstring m_fileName;
    DWORD m_failure = 0;
};

}  // namespace tk
