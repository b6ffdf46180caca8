// Note files that cannot be opened or saved: each failure is told (naming the file and
// the reason, with the system's own text) and loses nothing. A failed open gives no text;
// a failed save leaves the old file as it was and no temporary file behind.
#include <gtest/gtest.h>

#include "note/NoteFile.h"
#include "tests/win/NoteFileTestUtil.h"
#include "toolkit/SystemError.h"
#include "toolkit/TextFile.h"

namespace {

using filetest::ListFolder;
using filetest::ReadBytes;
using filetest::Recorder;
using filetest::TempFolder;
using filetest::WriteBytes;

constexpr std::size_t kNoLimit = 0x7FFFFFFE;
const std::string kOld = "old content\r\n";

// The one message told names the file and carries the system's text for the error.
void ExpectToldWhy(const Recorder& user, const std::wstring& path, DWORD error) {
    ASSERT_EQ(user.messages.size(), 1u) << user.All();
    const std::wstring& text = user.messages[0].text;
    EXPECT_NE(text.find(L"“" + path + L"”"), std::wstring::npos) << text;
    std::wstring system = tk::SystemErrorText(error);
    if (!system.empty()) {
        EXPECT_NE(text.find(system), std::wstring::npos) << text;
    }
    EXPECT_EQ(user.messages[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

// Saves and expects it to fail with the message for one of the errors; the old file (if
// any) and the folder's list of files stay as they were.
void ExpectSaveFails(const std::wstring& folder, const std::wstring& path,
                     std::initializer_list<DWORD> errors) {
    std::vector<std::wstring> namesBefore = ListFolder(folder);
    std::string before = filetest::Exists(path) ? ReadBytes(path) : "<none>";
    Recorder user;
    EXPECT_FALSE(note::WriteNoteFile(path, L"new text", user.Messenger()));
    ASSERT_EQ(user.messages.size(), 1u) << user.All();
    bool named = false;
    for (DWORD e : errors) {
        std::wstring system = tk::SystemErrorText(e);
        named = named || (!system.empty() && user.Said(system));
    }
    EXPECT_TRUE(named) << user.All();
    EXPECT_NE(user.messages[0].text.find(path), std::wstring::npos);
    EXPECT_EQ(filetest::Exists(path) ? ReadBytes(path) : "<none>", before);
    EXPECT_EQ(ListFolder(folder), namesBefore) << "no temporary file is left behind";
}

TEST(NoteFileOpenFailure, MissingFileOrFolder) {
    TempFolder dir;
    Recorder user;
    std::wstring missing = dir / L"missing.txt";
    EXPECT_FALSE(note::ReadNoteFile(missing, kNoLimit, user.Messenger()).has_value());
    ExpectToldWhy(user, missing, ERROR_FILE_NOT_FOUND);

    Recorder user2;
    std::wstring noFolder = dir / L"gone\\note.txt";
    EXPECT_FALSE(note::ReadNoteFile(noFolder, kNoLimit, user2.Messenger()).has_value());
    ExpectToldWhy(user2, noFolder, ERROR_PATH_NOT_FOUND);
}

TEST(NoteFileOpenFailure, FileHeldOpenByAnotherProgramAlone) {
    TempFolder dir;
    std::wstring path = dir / L"locked.txt";
    ASSERT_TRUE(WriteBytes(path, kOld));
    HANDLE other = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    Recorder user;
    EXPECT_FALSE(note::ReadNoteFile(path, kNoLimit, user.Messenger()).has_value());
    CloseHandle(other);
    ExpectToldWhy(user, path, ERROR_SHARING_VIOLATION);
}

TEST(NoteFileOpenFailure, FileHoldingNulBytesIsNotText) {
    TempFolder dir;
    std::wstring path = dir / L"utf16.txt";
    // A UTF-16 file: every ASCII character comes with a NUL byte.
    ASSERT_TRUE(WriteBytes(path, std::string("\xFF\xFE" "a\0b\0\r\0\n\0", 10)));
    Recorder user;
    EXPECT_FALSE(note::ReadNoteFile(path, kNoLimit, user.Messenger()).has_value());
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_NE(user.messages[0].text.find(path), std::wstring::npos);
    EXPECT_NE(user.messages[0].text.find(L"0x00"), std::wstring::npos) << user.All();
}

TEST(NoteFileOpenFailure, FolderInsteadOfFile) {
    TempFolder dir;
    Recorder user;
    EXPECT_FALSE(note::ReadNoteFile(dir.Path(), kNoLimit, user.Messenger()).has_value());
    EXPECT_EQ(user.messages.size(), 1u);
}

TEST(NoteFileSaveFailure, ReadOnlyFileIsNotReplaced) {
    TempFolder dir;
    std::wstring path = dir / L"readonly.txt";
    ASSERT_TRUE(WriteBytes(path, kOld));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    ExpectSaveFails(dir.Path(), path, {ERROR_ACCESS_DENIED});
    EXPECT_TRUE(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST(NoteFileSaveFailure, FileHeldOpenByAnotherProgram) {
    TempFolder dir;
    std::wstring path = dir / L"locked.txt";
    ASSERT_TRUE(WriteBytes(path, kOld));
    // Held with no sharing at all, and held for reading only (as an editor might).
    for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
        HANDLE other = CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(other, INVALID_HANDLE_VALUE);
        ExpectSaveFails(dir.Path(), path, {ERROR_SHARING_VIOLATION});
        CloseHandle(other);
    }
    // Once the other program lets go, the save goes through.
    Recorder user;
    EXPECT_TRUE(note::WriteNoteFile(path, L"new", user.Messenger())) << user.All();
    EXPECT_EQ(ReadBytes(path), "new\r\n");
}

TEST(NoteFileSaveFailure, FolderGoneOrNameOfAFolder) {
    TempFolder dir;
    ExpectSaveFails(dir.Path(), dir / L"gone\\note.txt", {ERROR_PATH_NOT_FOUND});
    ASSERT_TRUE(CreateDirectoryW((dir / L"sub").c_str(), nullptr));
    ExpectSaveFails(dir.Path(), dir / L"sub", {ERROR_ACCESS_DENIED});
}

TEST(NoteFileSaveFailure, FullDiskKeepsTheOldFile) {
    filetest::SmallFilesystem fs("size=64k");
    if (!fs.Mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (needs root and mount)";
    std::wstring path = fs.Path() + L"\\note.txt";
    ASSERT_TRUE(WriteBytes(path, kOld));
    // 200 KB of text cannot fit in 64 KB.
    std::wstring text(200000, L'x');
    std::vector<std::wstring> namesBefore = ListFolder(fs.Path());
    Recorder user;
    EXPECT_FALSE(note::WriteNoteFile(path, text, user.Messenger()));
    ExpectToldWhy(user, path, ERROR_DISK_FULL);
    EXPECT_EQ(ReadBytes(path), kOld);
    EXPECT_EQ(ListFolder(fs.Path()), namesBefore) << "no temporary file is left behind";
    // A text that fits is saved.
    Recorder user2;
    EXPECT_TRUE(note::WriteNoteFile(path, L"fits", user2.Messenger())) << user2.All();
    EXPECT_EQ(ReadBytes(path), "fits\r\n");
}

TEST(NoteFileSaveFailure, ReadOnlyFilesystemKeepsTheOldFile) {
    filetest::SmallFilesystem fs("size=64k");
    if (!fs.Mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (needs root and mount)";
    std::wstring path = fs.Path() + L"\\note.txt";
    ASSERT_TRUE(WriteBytes(path, kOld));
    if (!fs.Remount("ro")) GTEST_SKIP() << "cannot remount the tmpfs read-only";
    ExpectSaveFails(fs.Path(), path, {ERROR_WRITE_PROTECT, ERROR_ACCESS_DENIED});
    ExpectSaveFails(fs.Path(), fs.Path() + L"\\new.txt", {ERROR_WRITE_PROTECT, ERROR_ACCESS_DENIED});
    fs.Remount("rw");
}

TEST(TextFileReplace, KeepsHiddenAndSystemAttributes) {
    TempFolder dir;
    std::wstring path = dir / L"hidden.txt";
    ASSERT_TRUE(WriteBytes(path, kOld));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    EXPECT_EQ(tk::ReplaceWholeFile(path, "new\r\n"), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    DWORD attributes = GetFileAttributesW(path.c_str());
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::wstring>{L"hidden.txt"});
}

TEST(TextFileReplace, PathsBeyondTheClassicLengthLimit) {
    TempFolder dir;
    // A folder chain deeper than MAX_PATH characters, made with the long-path form.
    std::wstring folder = dir.Path();
    while (folder.size() < MAX_PATH + 40) {
        folder += L"\\" + std::wstring(50, L'd');
        ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr)) << GetLastError();
    }
    std::wstring path = folder + L"\\note.txt";
    ASSERT_GT(path.size(), static_cast<std::size_t>(MAX_PATH));
    EXPECT_EQ(tk::ReplaceWholeFile(path, "long\r\n"), static_cast<DWORD>(ERROR_SUCCESS));
    std::string bytes;
    EXPECT_EQ(tk::ReadWholeFile(path, 100, bytes), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(bytes, "long\r\n");
    EXPECT_EQ(tk::ReadWholeFile(path, 5, bytes), static_cast<DWORD>(ERROR_FILE_TOO_LARGE));
    DeleteFileW((L"\\\\?\\" + path).c_str());
    while (folder.size() > dir.Path().size()) {
        RemoveDirectoryW((L"\\\\?\\" + folder).c_str());
        folder.resize(folder.rfind(L'\\'));
    }
}

}  // namespace
