// Note files under the Chinese ANSI code page: the bytes a save writes, the text an open
// gives, the round trip, characters the code page cannot hold, and files too large.
#include <gtest/gtest.h>

#include "note/NoteFile.h"
#include "tests/win/NoteFileTestUtil.h"
#include "tests/win/WinTestUtil.h"
#include "toolkit/Ansi.h"
#include "toolkit/TextBox.h"

namespace {

using filetest::ReadBytes;
using filetest::Recorder;
using filetest::TempFolder;
using filetest::WriteBytes;

constexpr std::size_t kNoLimit = 0x7FFFFFFE;

// The checks of exact GBK bytes need the Simplified-Chinese code page.
#define REQUIRE_CP936() \
    if (GetACP() != 936) GTEST_SKIP() << "needs ANSI code page 936 (LANG=zh_CN.UTF-8 under Wine)"

std::wstring SaveAndRead(const TempFolder& dir, const std::wstring& text, std::string& bytes) {
    Recorder user;
    std::wstring path = dir / L"note.txt";
    EXPECT_TRUE(note::WriteNoteFile(path, text, user.Messenger())) << user.All();
    EXPECT_TRUE(user.messages.empty()) << user.All();
    bytes = ReadBytes(path);
    std::optional<std::wstring> back = note::ReadNoteFile(path, kNoLimit, user.Messenger());
    EXPECT_TRUE(back.has_value()) << user.All();
    return back.value_or(L"<nothing>");
}

TEST(NoteFileSave, WritesTheTextInTheAnsiCodePageThenCrLf) {
    REQUIRE_CP936();
    TempFolder dir;
    std::string bytes;
    SaveAndRead(dir, L"abc", bytes);
    EXPECT_EQ(bytes, "\x61\x62\x63\x0D\x0A");
    SaveAndRead(dir, L"", bytes);
    EXPECT_EQ(bytes, "\x0D\x0A");
    SaveAndRead(dir, L"a\r\nb", bytes);
    EXPECT_EQ(bytes, "\x61\x0D\x0A\x62\x0D\x0A");
    SaveAndRead(dir, L"桌面", bytes);
    EXPECT_EQ(bytes, "\xD7\xC0\xC3\xE6\x0D\x0A");
    SaveAndRead(dir, L"格卢玛\r\n提醒 12:30", bytes);
    EXPECT_EQ(bytes, "\xB8\xF1\xC2\xAC\xC2\xEA\r\n\xCC\xE1\xD0\xD1 12:30\r\n");
}

TEST(NoteFileSave, ReplacesTheWholeOldContent) {
    TempFolder dir;
    std::wstring path = dir / L"old.txt";
    ASSERT_TRUE(WriteBytes(path, std::string(5000, 'x')));
    Recorder user;
    ASSERT_TRUE(note::WriteNoteFile(path, L"new", user.Messenger()));
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    EXPECT_EQ(filetest::ListFolder(dir.Path()), std::vector<std::wstring>{L"old.txt"});
}

TEST(NoteFileOpen, GivesTheLinesJoinedWithCrLfConvertedFromTheCodePage) {
    REQUIRE_CP936();
    TempFolder dir;
    Recorder user;
    struct Case {
        std::string bytes;
        std::wstring text;
    } cases[] = {
        {"\xD7\xC0\xC3\xE6\r\nabc\r\n", L"桌面\r\nabc"},
        {"abc", L"abc"},                                   // no line break at the end
        {"a\nb\n", L"a\r\nb"},                             // LF alone ends a line
        {"a\rb\r\nc\nd", L"a\r\nb\r\nc\r\nd"},             // all three, mixed
        {"", L""},                                         // an empty file empties the note
        {"\r\n\r\n", L"\r\n"},                             // one empty line, then the end
        {"\xB8\xF1\n\xC2\xAC\r\xC2\xEA", L"格\r\n卢\r\n玛"},  // GBK pairs around lone terminators
    };
    for (const Case& c : cases) {
        std::wstring path = dir / L"in.txt";
        ASSERT_TRUE(WriteBytes(path, c.bytes));
        std::optional<std::wstring> text = note::ReadNoteFile(path, kNoLimit, user.Messenger());
        ASSERT_TRUE(text.has_value()) << user.All();
        EXPECT_EQ(*text, c.text) << c.bytes;
    }
    EXPECT_TRUE(user.messages.empty()) << user.All();
}

TEST(NoteFileRoundTrip, OpenOfSaveGivesTheTextAndSaveOfOpenGivesTheFile) {
    REQUIRE_CP936();
    TempFolder dir;
    std::string bytes;
    for (std::wstring text : {L"", L"abc", L"\r\n", L"桌面\r\n\r\n格卢玛\r\n", L"a\tb\r\n\r\n"}) {
        EXPECT_EQ(SaveAndRead(dir, text, bytes), text);
        // Saving what was opened gives the same bytes again.
        std::string again;
        SaveAndRead(dir, text, again);
        EXPECT_EQ(again, bytes);
    }
    // A file that ends in CR LF comes back byte for byte.
    std::wstring path = dir / L"crlf.txt";
    std::string file = "\xD7\xC0\xC3\xE6\r\n\r\nx y\r\n";
    ASSERT_TRUE(WriteBytes(path, file));
    Recorder user;
    std::optional<std::wstring> text = note::ReadNoteFile(path, kNoLimit, user.Messenger());
    ASSERT_TRUE(text.has_value());
    ASSERT_TRUE(note::WriteNoteFile(path, *text, user.Messenger()));
    EXPECT_EQ(ReadBytes(path), file);
}

// A large file with long and short lines, Chinese and ASCII, CR LF throughout.
std::string LargeGbkFile(std::size_t size) {
    std::string file;
    file.reserve(size + 200);
    const std::string pieces[] = {"\xB8\xF1\xC2\xAC\xC2\xEA", "note ", "\xD7\xC0\xC3\xE6", "12:30 "};
    unsigned i = 0;
    while (file.size() < size) {
        file += pieces[i % 4];
        if (i % 17 == 0) file += "\r\n";
        if (i % 5000 == 0) file += std::string(3000, 'w') + "\r\n";  // a very long line
        ++i;
    }
    return file + "\r\n";
}

TEST(NoteFileRoundTrip, TenMegabytesComeBackUnchanged) {
    REQUIRE_CP936();
    TempFolder dir;
    std::wstring path = dir / L"big.txt";
    std::string file = LargeGbkFile(10u << 20);
    ASSERT_TRUE(WriteBytes(path, file));
    Recorder user;
    std::optional<std::wstring> text = note::ReadNoteFile(path, kNoLimit, user.Messenger());
    ASSERT_TRUE(text.has_value()) << user.All();
    EXPECT_GT(text->size(), 32767u * 100);
    EXPECT_TRUE(*text == tk::FromAnsi(file.substr(0, file.size() - 2)));
    std::wstring copy = dir / L"copy.txt";
    ASSERT_TRUE(note::WriteNoteFile(copy, std::move(*text), user.Messenger()));
    EXPECT_TRUE(ReadBytes(copy) == file);  // not EXPECT_EQ: a failure would print 10 MB
}

TEST(NoteFileSave, AsksBeforeCharactersTheCodePageCannotHoldBecomeQuestionMarks) {
    REQUIRE_CP936();
    TempFolder dir;
    std::wstring path = dir / L"lossy.txt";
    ASSERT_TRUE(WriteBytes(path, "old\r\n"));
    // Hangul, an emoji (a surrogate pair) and Hebrew have no GBK code; the rest have.
    const std::wstring text = L"桌面 한 \U0001F600 ש 한 abc";

    Recorder user;
    user.answer = IDCANCEL;
    EXPECT_FALSE(note::WriteNoteFile(path, text, user.Messenger()));
    ASSERT_EQ(user.messages.size(), 1u);
    const std::wstring& asked = user.messages[0].text;
    EXPECT_EQ(user.messages[0].flags & MB_TYPEMASK, static_cast<UINT>(MB_OKCANCEL));
    std::size_t hangul = asked.find(L"“한”"), emoji = asked.find(L"“\U0001F600”"),
                hebrew = asked.find(L"“ש”");
    ASSERT_NE(hangul, std::wstring::npos) << asked;
    ASSERT_NE(emoji, std::wstring::npos) << asked;
    ASSERT_NE(hebrew, std::wstring::npos) << asked;
    EXPECT_TRUE(hangul < emoji && emoji < hebrew) << "listed in order of appearance";
    EXPECT_EQ(asked.find(L"“한”", hangul + 1), std::wstring::npos) << "each listed once";
    EXPECT_EQ(asked.find(L"“桌”"), std::wstring::npos) << asked;
    EXPECT_NE(asked.find(path), std::wstring::npos) << asked;
    EXPECT_EQ(ReadBytes(path), "old\r\n") << "cancel writes nothing";

    user.answer = IDOK;
    EXPECT_TRUE(note::WriteNoteFile(path, text, user.Messenger()));
    // The emoji becomes one question mark or one for each of its two UTF-16 units.
    std::string saved = ReadBytes(path);
    EXPECT_TRUE(saved == "\xD7\xC0\xC3\xE6 ? ? ? ? abc\r\n" || saved == "\xD7\xC0\xC3\xE6 ? ?? ? ? abc\r\n")
        << saved;
}

TEST(NoteFileSave, ListsAtMostTenOfTheCharactersItCannotKeep) {
    REQUIRE_CP936();
    TempFolder dir;
    std::wstring text;
    for (wchar_t c = 0xAC00; c < 0xAC00 + 30; ++c) text += c;  // thirty Hangul syllables
    Recorder user;
    user.answer = IDCANCEL;
    EXPECT_FALSE(note::WriteNoteFile(dir / L"x.txt", text, user.Messenger()));
    ASSERT_EQ(user.messages.size(), 1u);
    const std::wstring& asked = user.messages[0].text;
    for (int i = 0; i < 30; ++i) {
        bool listed = asked.find(std::wstring(L"“") + static_cast<wchar_t>(0xAC00 + i) + L"”") !=
                      std::wstring::npos;
        EXPECT_EQ(listed, i < 10) << i;
    }
    EXPECT_FALSE(filetest::Exists(dir / L"x.txt"));
}

TEST(NoteFileOpen, RefusesTextLongerThanTheTextBoxTakes) {
    TempFolder dir;
    std::wstring path = dir / L"long.txt";
    ASSERT_TRUE(WriteBytes(path, std::string(1000, 'a') + "\r\n"));
    Recorder user;
    EXPECT_TRUE(note::ReadNoteFile(path, 1000, user.Messenger()).has_value());
    EXPECT_TRUE(user.messages.empty());
    EXPECT_FALSE(note::ReadNoteFile(path, 999, user.Messenger()).has_value());
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_NE(user.messages[0].text.find(path), std::wstring::npos);
    EXPECT_NE(user.messages[0].text.find(L"999"), std::wstring::npos) << user.All();
    // Far too large for the limit: refused from its size, before reading.
    ASSERT_TRUE(WriteBytes(path, std::string(100000, 'a')));
    EXPECT_FALSE(note::ReadNoteFile(path, 10, user.Messenger()).has_value());
    EXPECT_EQ(user.messages.size(), 2u);
}

TEST(NoteFileOpen, RefusesFilesBeyondTheSizeLimit) {
    TempFolder dir;
    std::wstring path = dir / L"huge.txt";
    // A sparse file: its size is set, nothing is written.
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    LARGE_INTEGER size;
    size.QuadPart = static_cast<LONGLONG>(note::kMaxNoteFileBytes) + 1;
    ASSERT_TRUE(SetFilePointerEx(h, size, nullptr, FILE_BEGIN) && SetEndOfFile(h));
    CloseHandle(h);
    Recorder user;
    EXPECT_FALSE(note::ReadNoteFile(path, kNoLimit, user.Messenger()).has_value());
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_NE(user.messages[0].text.find(path), std::wstring::npos);
    EXPECT_EQ(user.messages[0].flags & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
}

// A note's text box (as the note window makes it) on a plain form.
class NoteTextBoxTest : public testing::Test {
protected:
    void SetUp() override {
        form = tk::LoadForm<wintest::TestForm>();
        tk::TextBoxArgs args;
        args.id = 1;
        args.rect = RECT{16, 40, 265, 193};
        box.Create(*form, args);
    }
    void TearDown() override {
        form->Destroy();
        wintest::Pump(20);
    }
    wintest::TestForm* form = nullptr;
    tk::TextBox box;
    TempFolder dir;
    Recorder user;
};

TEST_F(NoteTextBoxTest, OpenReplacesTheWholeTextAndSaveWritesIt) {
    box.SetText(L"old text\r\nthat goes");
    std::wstring path = dir / L"in.txt";
    ASSERT_TRUE(WriteBytes(path, "new\nlines\r\n"));
    EXPECT_TRUE(note::OpenNoteFileInto(box, path, user.Messenger()));
    EXPECT_EQ(box.Text(), L"new\r\nlines");
    box.SetText(box.Text() + L"\r\nmore");
    std::wstring out = dir / L"out.txt";
    EXPECT_TRUE(note::SaveNoteFileFrom(box, out, user.Messenger()));
    EXPECT_EQ(ReadBytes(out), "new\r\nlines\r\nmore\r\n");
    EXPECT_TRUE(user.messages.empty()) << user.All();
}

TEST_F(NoteTextBoxTest, OpenRefusesMoreThanTheBoxTakesAndKeepsItsText) {
    // The box as made takes files far beyond the edit control's default of 32,767.
    std::wstring path = dir / L"long.txt";
    std::string file;
    for (int line = 0; line < 1000; ++line) file += std::string(98, 'a') + "\r\n";
    ASSERT_TRUE(WriteBytes(path, file));
    EXPECT_TRUE(note::OpenNoteFileInto(box, path, user.Messenger())) << user.All();
    EXPECT_EQ(GetWindowTextLengthW(box.Handle()), 100000 - 2);

    box.SetText(L"mine");
    SendMessageW(box.Handle(), EM_SETLIMITTEXT, 500, 0);
    EXPECT_FALSE(note::OpenNoteFileInto(box, path, user.Messenger()));
    EXPECT_EQ(box.Text(), L"mine");
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_NE(user.messages[0].text.find(L"500"), std::wstring::npos) << user.All();
}

TEST_F(NoteTextBoxTest, FailedOpenLeavesTheTextAsItWas) {
    box.SetText(L"mine\r\nall of it");
    EXPECT_FALSE(note::OpenNoteFileInto(box, dir / L"missing.txt", user.Messenger()));
    EXPECT_EQ(box.Text(), L"mine\r\nall of it");
    EXPECT_EQ(user.messages.size(), 1u);
}

}  // namespace
