// The help file from the tray menu: the viewer opens "Gluma Note.chm" beside the
// program; a missing file shows nothing of ours; the viewer's library comes only from
// the system folder.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "WinTestUtil.h"
#include "shell/frmMain.h"
#include "shell/modSysTray.h"
#include "toolkit/AppPath.h"
#include "toolkit/Help.h"
#include "toolkit/LoadedForms.h"

namespace {

std::wstring HelpFile() { return tk::ProgramFolder() + L"\\Gluma Note.chm"; }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

std::wstring Text(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

// Visible top-level windows of this process.
std::vector<HWND> VisibleWindows() {
    std::vector<HWND> found;
    EnumWindows(
        [](HWND hwnd, LPARAM lp) CALLBACK -> BOOL {
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd))
                reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND VisibleViewer() {
    for (HWND hwnd : VisibleWindows())
        if (ClassOf(hwnd) == L"HH Parent") return hwnd;
    return nullptr;
}

void CloseViewers() {
    for (HWND hwnd : VisibleWindows())
        if (ClassOf(hwnd) == L"HH Parent") PostMessageW(hwnd, WM_CLOSE, 0, 0);
    wintest::Pump(3000, [] { return VisibleViewer() == nullptr; });
}

bool SameFolder(std::wstring a, std::wstring b) {
    while (!a.empty() && a.back() == L'\\') a.pop_back();
    while (!b.empty() && b.back() == L'\\') b.pop_back();
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/")); }

std::wstring ModulePath(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

std::wstring SystemFolder() {
    wchar_t folder[MAX_PATH] = {};
    GetSystemDirectoryW(folder, MAX_PATH);
    return folder;
}

// The main window with its tray menu, once for the suite: the tray icon is slow to add.
class HelpCommandTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(tk::LoadedForms::Count(), 0);
        main = tk::LoadForm<frmMain>();
    }
    static void TearDownTestSuite() {
        DeleteTrayIcon();
        if (main) main->Destroy();
        main = nullptr;
    }
    void SetUp() override { ASSERT_NE(main, nullptr); }
    void TearDown() override { CloseViewers(); }
    static frmMain* main;
};
frmMain* HelpCommandTest::main = nullptr;

TEST_F(HelpCommandTest, OpensTheViewerOnTheHelpFileBesideTheProgram) {
    ASSERT_TRUE(Exists(HelpFile())) << "no help file beside the tests: run scripts/build-help <build dir>";
    ASSERT_EQ(VisibleViewer(), nullptr);

    main->mnuOptions().Click(frmMain::mnuHelp);
    wintest::Pump(10000, [] { return VisibleViewer() != nullptr; });
    HWND viewer = VisibleViewer();
    ASSERT_NE(viewer, nullptr) << "the help viewer's window";
    // Its caption is the help file's title, read from the file.
    EXPECT_EQ(Text(viewer), L"桌面格卢玛 使用帮助");
    EXPECT_EQ(tk::LoadedForms::Count(), 1) << "the viewer is none of our forms";
    EXPECT_FALSE(main->IsVisible()) << "the main window stays hidden";

    // Asked again, the viewer shows the same window, not a second one.
    main->mnuOptions().Click(frmMain::mnuHelp);
    wintest::Pump(300);
    int viewers = 0;
    for (HWND hwnd : VisibleWindows()) viewers += ClassOf(hwnd) == L"HH Parent";
    EXPECT_EQ(viewers, 1);
}

const wchar_t kCopyVariable[] = L"GLUMA_TEST_RUN_IN_COPY";

bool InCopy() { return GetEnvironmentVariableW(kCopyVariable, nullptr, 0) != 0; }

// Runs one test of this suite in a copy of the test program in a folder without the help
// file (the viewer keeps the file beside us open, so it cannot simply be moved aside).
// Returns the copy's exit code.
DWORD RunInCopyWithoutHelpFile(const std::wstring& folderName, const std::wstring& test) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + folderName;
    std::wstring copy = folder + L"\\glumawin_tests.exe";
    std::wstring help = folder + L"\\Gluma Note.chm";
    CreateDirectoryW(folder.c_str(), nullptr);
    DeleteFileW(help.c_str());
    DWORD code = 100;
    if (CopyFileW(ModulePath(nullptr).c_str(), copy.c_str(), FALSE)) {
        std::wstring command = L"\"" + copy + L"\" --gtest_filter=HelpCommandTest." + test;
        SetEnvironmentVariableW(kCopyVariable, L"1");
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi = {};
        BOOL started =
            CreateProcessW(copy.c_str(), &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
        SetEnvironmentVariableW(kCopyVariable, nullptr);
        code = 101;
        if (started) {
            code = 102;
            if (WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
            else TerminateProcess(pi.hProcess, 103);
            CloseHandle(pi.hThread);
            CloseHandle(pi.hProcess);
        }
    }
    DeleteFileW(copy.c_str());
    DeleteFileW(help.c_str());
    RemoveDirectoryW(folder.c_str());
    return code;
}

TEST_F(HelpCommandTest, MissingHelpFileShowsNothingOfOurs) {
    if (!InCopy()) {
        EXPECT_EQ(RunInCopyWithoutHelpFile(L"gluma-without-help", L"MissingHelpFileShowsNothingOfOurs"), 0u)
            << "the run without the help file failed (its output is above)";
        return;
    }
    ASSERT_FALSE(Exists(HelpFile()));
    std::vector<HWND> before = VisibleWindows();
    main->mnuOptions().Click(frmMain::mnuHelp);
    wintest::Pump(1500);
    std::vector<HWND> after = VisibleWindows();
    for (HWND hwnd : after) {
        EXPECT_NE(Text(hwnd), L"GlumaNote") << "the program's message box";
        EXPECT_NE(ClassOf(hwnd), L"HH Parent") << "a viewer on a file that is not there";
    }
    EXPECT_EQ(after.size(), before.size()) << "no window came up";
    EXPECT_EQ(tk::LoadedForms::Count(), 1);
    EXPECT_NE(GetModuleHandleW(L"hhctrl.ocx"), nullptr) << "the viewer was asked";
}

// Copies of a loadable module named hhctrl.ocx in a notes folder, made the current
// folder, and beside the program; all gone again at the end of the scope.
class PlantedLibraries {
public:
    PlantedLibraries() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_notes = std::wstring(temp) + L"gluma-planted";
        CreateDirectoryW(m_notes.c_str(), nullptr);
        GetCurrentDirectoryW(MAX_PATH, m_previous);
        // Any loadable module will do as the plant; the test program itself is at hand.
        std::wstring self = ModulePath(nullptr);
        m_ok = CopyFileW(self.c_str(), Here().c_str(), FALSE) && CopyFileW(self.c_str(), Beside().c_str(), FALSE) &&
               SetCurrentDirectoryW(m_notes.c_str());
    }
    ~PlantedLibraries() {
        SetCurrentDirectoryW(m_previous);
        DeleteFileW(Here().c_str());
        DeleteFileW(Beside().c_str());
        RemoveDirectoryW(m_notes.c_str());
    }
    bool Ok() const { return m_ok; }
    std::wstring Here() const { return m_notes + L"\\hhctrl.ocx"; }
    std::wstring Beside() const { return tk::ProgramFolder() + L"\\hhctrl.ocx"; }

private:
    std::wstring m_notes;
    wchar_t m_previous[MAX_PATH] = {};
    bool m_ok = false;
};

// A hhctrl.ocx planted in the current folder (beside a note file) or beside the program
// must not be what the help command loads. Checked in a fresh process, where nothing has
// loaded the library yet. (Wine itself swaps a bare "hhctrl.ocx" found outside the
// program's folder for its own copy, so under Wine the current-folder plant is caught only
// if it is named by path; on Windows both plants test the search order.)
TEST(HelpLibrary, ComesFromTheSystemFolderNeverFromAPlantedCopy) {
    PlantedLibraries planted;
    ASSERT_TRUE(planted.Ok());
    EXPECT_EXIT(
        {
            if (GetModuleHandleW(L"hhctrl.ocx")) _exit(2);  // not fresh: nothing would be proved
            HMODULE library = tk::HelpLibrary();
            if (!library) _exit(3);
            if (!SameFolder(FolderOf(ModulePath(library)), SystemFolder())) _exit(4);
            if (!GetProcAddress(library, "HtmlHelpA")) _exit(5);
            if (tk::HelpLibrary() != library) _exit(6);  // loaded once, kept
            _exit(0);
        },
        testing::ExitedWithCode(0), "")
        << "2: hhctrl.ocx already loaded, 3: not loaded, 4: loaded from outside the system folder, "
           "5: no HtmlHelpA, 6: loaded twice";
}

}  // namespace
