// Note files under code page 936: the encodings a file opens in and saves back, the
// questions asked before anything is lost, failures told without loss, a save that keeps
// what it replaces, and a large file opened whole into a note with the hourglass.
#include <gtest/gtest.h>

#include <cstdio>

#include "note/NoteFileCommands.h"
#include "note/frmNote.h"
#include "tests/win/WinTestUtil.h"

namespace {

using note::Encoding;
constexpr std::size_t kNoLimit = 0x7FFFFFFE;

std::string Read(const std::wstring& path) {
    std::string bytes = "<none>";
    if (FILE* f = _wfopen(path.c_str(), L"rb")) {
        char buffer[65536];
        bytes.clear();
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
        fclose(f);
    }
    return bytes;
}

void Write(const std::wstring& path, const std::string& bytes) {
    FILE* f = _wfopen(path.c_str(), L"wb");
    ASSERT_TRUE(f);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

// Runs a shell command on the Linux side; Wine cannot wait on a Linux process, so the
// command leaves a marker file behind when it succeeds.
bool Unix(const std::string& command) {
    static int count = 0;
    std::string marker = "/tmp/glumanote-unix-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
    std::wstring line = L"/bin/sh -c \"(" + std::wstring(command.begin(), command.end()) + L") && touch " +
                        std::wstring(marker.begin(), marker.end()) + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread), CloseHandle(pi.hProcess);
    std::wstring seen = L"Z:" + std::wstring(marker.begin(), marker.end());
    for (int waited = 0; waited < 10000 && GetFileAttributesW(seen.c_str()) == INVALID_FILE_ATTRIBUTES; waited += 20)
        Sleep(20);
    return DeleteFileW(seen.c_str());
}

std::string UnixPath(const std::wstring& path) {  // Z:\tmp\x -> /tmp/x
    std::string unix;
    for (wchar_t c : path.substr(2)) unix += c == L'\\' ? '/' : static_cast<char>(c);
    return unix;
}

class NoteFileTest : public testing::Test {
protected:
    void SetUp() override {
        if (GetACP() != 936) GTEST_SKIP() << "needs ANSI code page 936 (LC_ALL=zh_CN.UTF-8 under Wine)";
        dir = L"Z:\\tmp\\glumanote-files-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++count);
        ASSERT_TRUE(Unix("mkdir -p " + UnixPath(dir)));
    }
    void TearDown() override {
        if (!dir.empty()) Unix("umount " + UnixPath(dir) + "/fs 2>/dev/null; rm -rf " + UnixPath(dir));
    }
    std::wstring At(const wchar_t* name) const { return dir + L"\\" + name; }
    note::Messenger User() {
        return [this](const std::wstring& text, UINT flags) {
            told.push_back(text), kinds.push_back(flags);
            return answer;
        };
    }
    bool Open(const std::wstring& path, std::size_t maxChars = kNoLimit, bool boxTakes = true) {
        return files.OpenFrom(path, maxChars, [&](const std::wstring& t) { if (boxTakes) text = t;
            return boxTakes;
        }, User());
    }
    bool Save(const std::wstring& path, const std::wstring& what) {
        return files.SaveTo(path, [&] { return what; }, User());
    }
    static inline int count = 0;
    std::wstring dir, text = L"<unchanged>";
    note::NoteFileCommands files;
    std::vector<std::wstring> told;
    std::vector<UINT> kinds;
    int answer = IDOK;
};

TEST_F(NoteFileTest, OpenRemembersTheEncodingAndSaveWritesTheSameBytesBack) {
    const struct { std::string file; std::wstring text; Encoding kind; bool bom; std::string saved; } cases[] = {
        {"\xD7\xC0\xC3\xE6\r\nabc\r\n", L"桌面\r\nabc", Encoding::Ansi, false, ""},
        {"\xEF\xBB\xBF\xE6\xA1\x8C\xE9\x9D\xA2\r\n", L"桌面", Encoding::Utf8, true, ""},
        {"\xE6\xA1\x8C \xED\x95\x9C\r\n\r\n", L"桌 한\r\n", Encoding::Utf8, false, ""},
        {std::string("\xFF\xFE\x4C\x68\x62\x97\r\0\n\0", 10), L"桌面", Encoding::Utf16LE, true, ""},
        {std::string("\xFE\xFF\x68\x4C\x97\x62\0\r\0\n", 10), L"桌面", Encoding::Utf16BE, true, ""},
        {"a\nb", L"a\r\nb", Encoding::Ansi, false, "a\r\nb\r\n"},
        {"", L"", Encoding::Ansi, false, "\r\n"},
    };
    // A note that never opened a file saves in the ANSI code page.
    ASSERT_TRUE(Save(At(L"new.txt"), L"桌面\r\nabc"));
    EXPECT_EQ(Read(At(L"new.txt")), cases[0].file);
    for (const auto& c : cases) {
        Write(At(L"in.txt"), c.file);
        ASSERT_TRUE(Open(At(L"in.txt")));
        EXPECT_EQ(text, c.text) << c.file;
        EXPECT_TRUE(files.Encoding() == (note::NoteEncoding{c.kind, c.bom})) << c.file;
        ASSERT_TRUE(Save(At(L"in.txt"), text));
        EXPECT_EQ(Read(At(L"in.txt")), c.saved.empty() ? c.file : c.saved);
    }
    EXPECT_TRUE(told.empty());
}

TEST_F(NoteFileTest, BytesThatCannotBeShownAreAskedAboutBeforeTheNoteChanges) {
    for (std::string file : {"ab\x81\x20\xFF\r\n", "\xEF\xBB\xBF" "ab\xFF\r\n"}) {
        Write(At(L"bad.txt"), file);
        told.clear(), answer = IDCANCEL;
        EXPECT_FALSE(Open(At(L"bad.txt")));
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].find(At(L"bad.txt")), std::wstring::npos);
        EXPECT_EQ(kinds.back() & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
        EXPECT_EQ(text, L"<unchanged>");
        answer = IDOK;
        EXPECT_TRUE(Open(At(L"bad.txt")));
        EXPECT_EQ(text.substr(0, 2), L"ab");
        text = L"<unchanged>";
    }
}

TEST_F(NoteFileTest, CharactersTheEncodingLacksAreAskedAboutBeforeSaving) {
    Write(At(L"old.txt"), "old\r\n");
    answer = IDCANCEL;
    EXPECT_FALSE(Save(At(L"old.txt"), L"桌面 한 \U0001F600"));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(L"“한”"), std::wstring::npos);
    EXPECT_NE(told[0].find(At(L"old.txt")), std::wstring::npos);
    EXPECT_EQ(Read(At(L"old.txt")), "old\r\n");
    answer = IDOK;
    EXPECT_TRUE(Save(At(L"old.txt"), L"桌面 한"));
    EXPECT_EQ(Read(At(L"old.txt")), "\xD7\xC0\xC3\xE6 ?\r\n");
}

TEST_F(NoteFileTest, FailuresAreToldByNameAndLoseNothing) {
    const struct { bool open; std::string file; DWORD attributes, share; std::size_t maxChars; bool boxTakes; } cases[] = {
        {true, "<none>", 0, 0, kNoLimit, true},                          // missing
        {true, "abc", 0, 0, 0, true},                                    // held by another program alone
        {true, std::string("\xFF\xFE" "a\0\0\0", 6), 0, 7, kNoLimit, true},  // a NUL: not text
        {true, "abcd", 0, 7, 3, true},                                   // more than the box takes
        {true, "abcd", 0, 7, kNoLimit, false},                           // the box refuses it
        {false, "old", FILE_ATTRIBUTE_READONLY, 7, 0, true},
        {false, "old", 0, FILE_SHARE_READ, 0, true},                     // held for reading only
    };
    for (const auto& c : cases) {
        std::wstring path = At(L"f.txt");
        if (c.file != "<none>") Write(path, c.file);
        SetFileAttributesW(path.c_str(), c.attributes);
        HANDLE other = c.share == 7 ? INVALID_HANDLE_VALUE
                                    : CreateFileW(path.c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
        told.clear();
        EXPECT_FALSE(c.open ? Open(path, c.maxChars, c.boxTakes) : Save(path, L"new"));
        CloseHandle(other);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ASSERT_EQ(told.size(), 1u) << c.file;
        EXPECT_NE(told[0].find(L"“" + path + L"”"), std::wstring::npos);
        EXPECT_EQ(kinds.back() & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(text, L"<unchanged>");
        EXPECT_EQ(Read(path), c.file);
        EXPECT_TRUE(files.Encoding() == note::NoteEncoding{});
        DeleteFileW(path.c_str());
    }
    EXPECT_TRUE(Unix("[ $(ls -A " + UnixPath(dir) + " | wc -l) = 0 ]")) << "a temporary file was left behind";
}

TEST_F(NoteFileTest, SaveKeepsWhatItReplaces) {
    const std::string fs = UnixPath(dir) + "/fs";
    Write(At(L"target.txt"), "old\r\n");
    ASSERT_TRUE(Unix("cd " + UnixPath(dir) + " && ln -s target.txt link.txt && ln target.txt hard.txt"));
    Write(At(L"hidden.txt"), "old\r\n");
    SetFileAttributesW(At(L"hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ASSERT_TRUE(Save(At(L"link.txt"), L"through the link"));
    EXPECT_TRUE(Unix("test -L " + UnixPath(At(L"link.txt")))) << "the link is still a link";
    EXPECT_EQ(Read(At(L"hard.txt")), "through the link\r\n") << "the hard link sees it too";
    ASSERT_TRUE(Save(At(L"hidden.txt"), L"new"));
    EXPECT_EQ(GetFileAttributesW(At(L"hidden.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN, DWORD{FILE_ATTRIBUTE_HIDDEN});
    EXPECT_TRUE(Unix("[ $(ls -A " + UnixPath(dir) + " | wc -l) = 4 ]")) << "a temporary file was left behind";
    // A folder where no new file can be made: a file system without a free inode.
    if (!Unix("mkdir " + fs + " && mount -t tmpfs -o size=64k,nr_inodes=2 tmpfs " + fs + " && echo old > " + fs + "/a"))
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    EXPECT_TRUE(Unix("! touch " + fs + "/b 2>/dev/null")) << "the folder takes no new file";
    EXPECT_TRUE(Save(At(L"fs\\a"), L"written in place")) << (told.empty() ? L"" : told[0]).c_str();
    EXPECT_EQ(Read(At(L"fs\\a")), "written in place\r\n");
}

TEST_F(NoteFileTest, ALargeFileOpensWholeIntoANoteUnderTheHourglass) {
    std::string file;
    for (int line = 0; file.size() < 300000; ++line) file += "line " + std::to_string(line) + " \xB8\xF1\xC2\xAC\xC2\xEA\r\n";
    Write(At(L"long.txt"), file);
    frmNote* n = tk::LoadForm<frmNote>();
    HCURSOR during = nullptr;
    EXPECT_TRUE(files.OpenFrom(At(L"long.txt"), n->txtNote().MaxLength(), [&](const std::wstring& t) {
        during = GetCursor();
        return n->txtNote().ReplaceText(t);
    }, User()));
    EXPECT_EQ(during, LoadCursorW(nullptr, IDC_WAIT));
    EXPECT_GT(n->txtNote().Text().size(), 32767u * 6);
    ASSERT_TRUE(Save(At(L"copy.txt"), n->txtNote().Text()));
    EXPECT_TRUE(Read(At(L"copy.txt")) == file);
    n->Destroy();
    wintest::Pump(20);
}

}  // namespace
