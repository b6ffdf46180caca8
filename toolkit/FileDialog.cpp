#include "toolkit/FileDialog.h"

#include <commdlg.h>

#include <vector>

namespace tk {
namespace {

// Room for the longest path the system knows (32,767 characters with its terminator), so a
// chosen name is never cut off.
constexpr DWORD kNameBufferChars = 32768;

bool RunDialog(OPENFILENAMEW& ofn, bool save) {
    return (save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn)) != FALSE;
}

}  // namespace

bool FileDialog::ShowOpen(HWND owner) { return Show(owner, false); }
bool FileDialog::ShowSave(HWND owner) { return Show(owner, true); }

bool FileDialog::Show(HWND owner, bool save) {
    std::vector<wchar_t> name(kNameBufferChars, L'\0');
    m_fileName.copy(name.data(), name.size() - 1);

    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = kNameBufferChars;
    // The program never relies on the current folder; without OFN_NOCHANGEDIR the chosen
    // folder would stay in use (and could not be removed) while the program runs. The
    // open dialog's "read-only" box would mean nothing here, so it is not offered.
    ofn.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
                (save ? OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST
                      : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST);

    m_failure = 0;
    bool chosen = RunDialog(ofn, save);
    if (!chosen) {
        m_failure = CommDlgExtendedError();
        // A remembered name the dialog refuses as its initial name (a folder that has
        // become unusable, say) must not lock the user out: start again without it.
        if (m_failure == FNERR_INVALIDFILENAME && name[0] != L'\0') {
            name.assign(name.size(), L'\0');
            ofn.lpstrFile = name.data();
            chosen = RunDialog(ofn, save);
            m_failure = chosen ? 0 : CommDlgExtendedError();
        }
    }
    if (!chosen || name[0] == L'\0') return false;
    m_fileName.assign(name.data());
    return true;
}

}  // namespace tk
