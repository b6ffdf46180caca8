// Note files under code page 936: the encodings a file opens in and saves back, the
// questions asked before anything is lost, failures told without loss, a save that keeps
// what it replaces, and a large file opened whole into a note with the hourglass.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "note/NoteFileCommands.h"
#include "note/frmNote.h"
#include "toolkit/TextFile.h"

namespace {

using note::Encoding;

std::string Read(const std::wstring& path) {
    std::ifstream f(std::filesystem::path(path), std::ios::binary);
    return f ? std::string(std::istreambuf_iterator<char>(f), {}) : "<none>";
}
void Write(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}
std::wstring Wide(const std::string& s) { return std::wstring(s.begin(), s.end()); }

// Runs a shell command on the Linux side, true when it succeeds. Wine cannot wait on a
// Linux process, so the command leaves a marker file behind when it succeeds.
bool Unix(const std::string& command) {
    static int count = 0;
    std::string marker = "/tmp/glumanote-unix-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
    std::wstring line = Wide("/bin/sh -c \"(" + command + ") && touch " + marker + "\""), seen = Wide("Z:" + marker);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread), CloseHandle(pi.hProcess);
    for (int i = 0; i < 500 && GetFileAttributesW(seen.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(20);
    return DeleteFileW(seen.c_str());
}

// The file system as a save meets it, where the n-th call fails with a chosen error and
// leaves the files as the system does after that error; and a share that lets files be
// written but not deleted.
namespace faults {
enum Call { kCreate, kWrite, kFlush, kSetEnd, kClose, kReplace, kMove, kRemove };
std::vector<Call> calls;
std::vector<std::pair<std::size_t, DWORD>> planned;  // call number (from 1), error
bool refuseDelete = false;
bool Fails(Call call) {
    calls.push_back(call);
    auto fault = std::find_if(planned.begin(), planned.end(), [](auto& f) { return f.first == calls.size(); });
    return fault != planned.end() && (SetLastError(fault->second), true);
}
tk::FileCalls table = {
    [](LPCWSTR name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES sa, DWORD how, DWORD flags, HANDLE t) WINAPI -> HANDLE {
        if (Fails(kCreate) || (refuseDelete && (access & DELETE) && (SetLastError(ERROR_ACCESS_DENIED), true)))
            return INVALID_HANDLE_VALUE;
        return CreateFileW(name, access, share, sa, how, flags, t);
    },
    [](HANDLE h, LPCVOID b, DWORD n, LPDWORD done, LPOVERLAPPED o) WINAPI -> BOOL { return !Fails(kWrite) && WriteFile(h, b, n, done, o); },
    [](HANDLE h) WINAPI -> BOOL { return !Fails(kFlush) && FlushFileBuffers(h); },
    [](HANDLE h) WINAPI -> BOOL { return !Fails(kSetEnd) && SetEndOfFile(h); },
    [](HANDLE h) WINAPI -> BOOL {  // a late write error: the handle is closed all the same
        DWORD failed = Fails(kClose) ? GetLastError() : 0;
        return CloseHandle(h) && !failed ? TRUE : (SetLastError(failed), FALSE);
    },
    [](LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID x, LPVOID y) WINAPI -> BOOL {
        if (!Fails(kReplace)) return ReplaceFileW(replaced, replacement, backup, flags, x, y);
        DWORD error = GetLastError();  // 1177: the old file went to the backup name, the new one stayed
        return (error == 1177 && MoveFileExW(replaced, backup, 0)), SetLastError(error), FALSE;
    },
    [](LPCWSTR from, LPCWSTR to, DWORD flags) WINAPI -> BOOL { return !Fails(kMove) && MoveFileExW(from, to, flags); },
    [](LPCWSTR name) WINAPI -> BOOL { return !Fails(kRemove) && DeleteFileW(name); },
};
}  // namespace faults

// Each test works in a folder of its own, seen from Wine as Z:/tmp/...; the user is played
// by a messenger that keeps what it is told and answers as the test says.
class NoteFileTest : public testing::Test {
protected:
    void SetUp() override {
        if (GetACP() != 936) GTEST_SKIP() << "needs ANSI code page 936 (LC_ALL=zh_CN.UTF-8 under Wine)";
        dir = "/tmp/glumanote-" + std::to_string(GetTickCount()) + testing::UnitTest::GetInstance()->current_test_info()->name();
        ASSERT_TRUE(Unix("mkdir -p " + dir));
    }
    void TearDown() override { tk::g_fileCalls = system, dir.empty() || Unix("rm -rf " + dir); }
    std::wstring At(const std::string& name) const { return Wide("Z:" + dir + "/" + name); }
    bool Open(const std::wstring& path, std::size_t maxChars = SIZE_MAX, bool boxTakes = true) {
        auto box = [&](const std::wstring& t) { return boxTakes && (text = t, true); };
        return files.OpenFrom(path, maxChars, box, user);
    }
    bool Save(const std::wstring& path, std::wstring what) { return files.SaveTo(path, [&] { return what; }, user); }
    void ExpectToldOnce(const std::wstring& path, UINT mask, UINT kind) {  // naming the file
        ASSERT_EQ(told.size(), 1u);
        EXPECT_NE(told[0].first.find(L"“" + path + L"”"), std::wstring::npos) << told[0].first.c_str();
        EXPECT_EQ(told[0].second & mask, kind);
        told.clear();
    }
    std::vector<std::wstring> Files() const {  // the folder's file names
        std::vector<std::wstring> names;
        for (const auto& file : std::filesystem::directory_iterator(At(""))) names.push_back(file.path().filename().wstring());
        return names;
    }
    const note::Messenger user = [this](const std::wstring& message, UINT flags) { return told.push_back({message, flags}), answer; };
    const tk::FileCalls system = tk::g_fileCalls;
    std::string dir;
    std::wstring text = L"<unchanged>";
    note::NoteFileCommands files;
    std::vector<std::pair<std::wstring, UINT>> told;
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
        {"\xD1\xA7\xCF\xB0\r\n", L"学习", Encoding::Ansi, false, ""},  // valid UTF-8 too, but GBK here
    };
    for (const auto& c : cases) {
        Write(At("in.txt"), c.file);
        ASSERT_TRUE(Open(At("in.txt")));
        EXPECT_EQ(text, c.text) << c.file;
        EXPECT_TRUE(files.Encoding() == (note::NoteEncoding{c.kind, c.bom})) << c.file;
        ASSERT_TRUE(Save(At("in.txt"), text));
        EXPECT_EQ(Read(At("in.txt")), c.saved.empty() ? c.file : c.saved);
    }
    ASSERT_TRUE(Save(At("in.txt"), text + L"英语"));  // typed into, it stays in one encoding
    EXPECT_EQ(Read(At("in.txt")), "\xD1\xA7\xCF\xB0\xD3\xA2\xD3\xEF\r\n");
}

TEST_F(NoteFileTest, AsksBeforeBytesOrCharactersAreLost) {
    const struct { bool open; std::string file, savedOnOk; } cases[] = {
        {false, "old\r\n", "\xD7\xC0\xC3\xE6 ?\r\n"},  // Hangul, saved by a note that opened no file: in GBK
        {true, "ab\x81\x20\xFF\r\n", ""},             // neither UTF-8 nor GBK
        {true, "\xEF\xBB\xBF" "ab\xFF\r\n", ""},     // marked as UTF-8, but not all of it
        {true, std::string("\xFF\xFE" "a\0b\0c", 7), ""},  // UTF-16 with a stray last byte
    };
    for (const auto& c : cases) {
        Write(At("f.txt"), c.file), text = L"<unchanged>";
        for (int given : {IDCANCEL, IDOK}) {
            answer = given;
            EXPECT_EQ(c.open ? Open(At("f.txt")) : Save(At("f.txt"), L"桌面 한"), given == IDOK);
            EXPECT_TRUE(c.open || told.at(0).first.find(L"“한”（U+D55C）") != std::wstring::npos);
            ExpectToldOnce(At("f.txt"), MB_TYPEMASK, MB_OKCANCEL);
            std::wstring expected = c.open ? (given == IDOK ? L"ab" : L"<u") : Wide(given == IDOK ? c.savedOnOk : c.file);
            EXPECT_EQ(c.open ? text.substr(0, 2) : Wide(Read(At("f.txt"))), expected);
        }
    }
}

TEST_F(NoteFileTest, FailuresAreToldByNameAndLoseNothing) {
    const struct { bool open; std::string file; DWORD attributes, share; std::size_t maxChars; bool boxTakes; } cases[] = {
        {true, "<none>", 0, 0, SIZE_MAX, true},                          // missing
        {true, "abc", 0, 0, 0, true},                                    // held by another program alone
        {true, std::string("\xFF\xFE" "a\0\0\0", 6), 0, 7, SIZE_MAX, true},  // a NUL: not text
        {true, "abcd", 0, 7, 3, true},                                   // more than the box takes
        {true, "abcd", 0, 7, SIZE_MAX, false},                           // the box refuses it
        {false, "old", FILE_ATTRIBUTE_READONLY, 7, 0, true},
        {false, "old", 0, FILE_SHARE_READ, 0, true},                     // held for reading only
    };
    for (const auto& c : cases) {
        std::wstring path = At("f.txt");
        if (c.file != "<none>") Write(path, c.file);
        SetFileAttributesW(path.c_str(), c.attributes);
        HANDLE other = c.share == 7 ? INVALID_HANDLE_VALUE
                                    : CreateFileW(path.c_str(), GENERIC_READ, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
        EXPECT_FALSE(c.open ? Open(path, c.maxChars, c.boxTakes) : Save(path, L"new"));
        CloseHandle(other);
        ExpectToldOnce(path, MB_ICONMASK, MB_ICONERROR);
        EXPECT_EQ(text, L"<unchanged>");
        EXPECT_EQ(Read(path), c.file);
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL), DeleteFileW(path.c_str());
    }
    EXPECT_TRUE(Files().empty()) << "a temporary file was left behind";
}

// Through a lone symbolic link the file it points to gets the content; the link stays.
TEST_F(NoteFileTest, SaveKeepsWhatItReplaces) {
    Write(At("target.txt"), "old\r\n");
    ASSERT_TRUE(Unix("cd " + dir + " && ln -s target.txt link.txt"));
    ASSERT_TRUE(Save(At("link.txt"), L"through the link"));
    EXPECT_TRUE(Unix("test -L " + dir + "/link.txt")) << "the link is still a link";
    EXPECT_EQ(Read(At("target.txt")), "through the link\r\n");
    EXPECT_EQ(Files().size(), 2u) << "a temporary file was left behind";
}

// The files a message names (“...”), by their names in the folder.
std::vector<std::string> NamedFiles(const std::wstring& message) {
    std::vector<std::string> names;
    for (std::size_t open = message.find(L'“'); open != std::wstring::npos; open = message.find(L'“', open + 1)) {
        std::wstring name = message.substr(open + 1, message.find(L'”', open) - open - 1);
        names.emplace_back(name.begin() + name.find_last_of(L"\\/") + 1, name.end());
    }
    return names;
}

// Every failure point of every save path, each with the errors that call really gives.
// After each: the target holds its old bytes or its new ones, whole, unless the message
// says the file may be damaged (a write over the file itself) or names where both contents
// are (a replacement that stopped half way); no file is left that the message does not
// name; and the message says what happened.
TEST_F(NoteFileTest, EveryFailureOfASaveLeavesOldOrNewBytesAndSaysSo) {
    using namespace faults;
    const std::vector<DWORD> errors[] = {
        {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL, ERROR_WRITE_PROTECT},  // create
        {ERROR_DISK_FULL, ERROR_ACCESS_DENIED}, {ERROR_DISK_FULL}, {ERROR_DISK_FULL}, {ERROR_DISK_FULL},  // write ... close
        {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, 1175, 1176, 1177},  // replace
        {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}, {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION}};  // move, delete
    enum Path { NewFile, Replaced, HardLink, InPlace };
    const std::string old = "the old text, longer than the new\r\n", fresh = "new\r\n";
    tk::g_fileCalls = table;
    int runs = 0;
    for (Path path : {NewFile, Replaced, HardLink, InPlace}) {
        auto save = [&](std::vector<std::pair<std::size_t, DWORD>> plan) {
            for (const std::wstring& name : Files()) DeleteFileW(At(std::string(name.begin(), name.end())).c_str());
            if (path != NewFile) Write(At("t.txt"), old);
            if (path == HardLink) CreateHardLinkW(At("h.txt").c_str(), At("t.txt").c_str(), nullptr);
            refuseDelete = path == InPlace, calls.clear(), planned = plan, told.clear(), ++runs;
            return Save(At("t.txt"), L"new");
        };
        ASSERT_TRUE(save({})) << path;
        const std::vector<Call> made = calls;
        for (std::size_t at = 1; at <= made.size(); ++at) {
            for (DWORD error : errors[made[at - 1]]) {
                const bool halfway = error == 1176 || error == 1177;
                for (bool moveFails : {false, true}) {  // after 1176 or 1177, the final move too
                    if (moveFails && !halfway) continue;
                    SCOPED_TRACE(testing::Message() << "path " << path << ", call " << at << " fails with " << error << ", the move too " << moveFails);
                    const bool saved = save(moveFails ? decltype(planned){{at, error}, {at + 1, 5}} : decltype(planned){{at, error}});
                    const std::wstring said = told.empty() ? L"" : told[0].first;
                    const std::vector<std::string> named = NamedFiles(said);
                    EXPECT_LE(told.size(), 1u);
                    for (const std::wstring& name : Files())
                        EXPECT_TRUE(name == L"t.txt" || name == L"h.txt" || std::count(named.begin(), named.end(), std::string(name.begin(), name.end())))
                            << "left behind unnamed: " << name.c_str();
                    for (std::size_t i = 1; i < named.size(); ++i) EXPECT_NE(Read(At(named[i])), "<none>") << named[i];
                    const bool damaged = said.find(L"可能已经损坏") != std::wstring::npos;
                    const bool apart = said.find(L"新内容保存在文件") != std::wstring::npos;
                    if (saved) {
                        EXPECT_TRUE(Read(At("t.txt")) == fresh && (path != HardLink || Read(At("h.txt")) == fresh));
                        EXPECT_TRUE(said.empty() || (told[0].second & MB_ICONMASK) == MB_ICONWARNING) << said.c_str();
                    } else if (apart) {
                        ASSERT_GE(named.size(), 3u) << said.c_str();
                        EXPECT_TRUE(Read(At(named[1])) == fresh && Read(At(named[2])) == old) << said.c_str();
                    } else if (!damaged) {
                        EXPECT_NE(said.find(L"文件没有被改动"), std::wstring::npos) << said.c_str();
                        EXPECT_EQ(Read(At("t.txt")), path == NewFile ? "<none>" : old);
                    }
                    // The rows this table was made for: 1176 and 1177 end with the move; a target that
                    // may be written but not deleted, and a replacement that changed nothing, are
                    // written in place; both halves named when the move fails too; a failed write
                    // over the file itself may have damaged it.
                    const bool inPlaceHelps = (at == 1 && (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION)) ||
                                              (path == Replaced && made[at - 1] == kReplace && !moveFails);
                    EXPECT_TRUE(!inPlaceHelps || saved) << said.c_str();
                    const bool lastClose = made[at - 1] == kClose && std::find(made.begin() + at, made.end(), kClose) == made.end();
                    EXPECT_TRUE(!lastClose || !saved) << "the written file's late write error is no success";
                    EXPECT_EQ(apart, halfway && moveFails) << said.c_str();
                    EXPECT_TRUE(damaged ? path >= HardLink : !(path >= HardLink && made[at - 1] == kWrite)) << said.c_str();
                }
            }
        }
    }
    std::printf("[ faults   ] %d saves: 4 paths, each call of each, with the errors it can give\n", runs);
}

TEST_F(NoteFileTest, ALargeFileOpensWholeIntoANoteUnderTheHourglass) {
    std::string file;
    for (int line = 0; file.size() < 300000; ++line) file += "line " + std::to_string(line) + " \xB8\xF1\xC2\xAC\xC2\xEA\r\n";
    Write(At("long.txt"), file);
    frmNote* n = tk::LoadForm<frmNote>();
    HCURSOR during = nullptr;
    auto box = [&](const std::wstring& t) { return during = GetCursor(), n->txtNote().ReplaceText(t); };
    EXPECT_TRUE(files.OpenFrom(At("long.txt"), n->txtNote().MaxLength(), box, user));
    EXPECT_EQ(during, LoadCursorW(nullptr, IDC_WAIT));
    ASSERT_TRUE(Save(At("copy.txt"), n->txtNote().Text()));
    EXPECT_TRUE(Read(At("copy.txt")) == file);
    n->Destroy();
}

}  // namespace
