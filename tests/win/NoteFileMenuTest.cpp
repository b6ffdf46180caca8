// The note menu's file commands on real notes: the items run the note's own file dialog,
// the file gets the text, another note opens it back, and every failure shows the note's
// message box (captioned GlumaNote) while the note keeps its text. The dialogs and message
// boxes are answered from a second thread, as a user would.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "note/frmNote.h"
#include "tests/win/NoteFileDialogUtil.h"
#include "tests/win/NoteFileTestUtil.h"
#include "tests/win/WinTestUtil.h"
#include "toolkit/LoadedForms.h"

namespace {

using namespace filetest;

// What the user saw in the message box, if one came.
struct Seen {
    std::wstring caption = L"<no message box>";
    std::wstring text;
};

class NoteFileMenuTest : public testing::Test {
protected:
    void TearDown() override {
        for (frmNote* n : notes) n->Destroy();
        wintest::Pump(20);
    }
    frmNote* NewNote(const std::wstring& text) {
        frmNote* n = tk::LoadForm<frmNote>();
        n->SetCreationStamp(L"创建于 2026/12/6 18:12:05");
        n->txtNote().SetText(text);
        notes.push_back(n);
        return n;
    }
    // Runs a menu item of the note while the user, on another thread, types `path` into
    // the dialog (or cancels it when path is empty) and then, when a message box is
    // expected, reads it and answers `answer`. A message box that comes unexpected is
    // answered OK so the test cannot hang, and fails the test.
    Seen Choose(frmNote* n, UINT item, const std::wstring& path, int answer = IDOK,
                bool expectMessage = false) {
        Seen seen;
        std::atomic<bool> done{false};
        std::vector<std::wstring> unexpected;
        std::thread user([&] {
            std::vector<HWND> handled;
            Act(item, path, answer, expectMessage, seen, handled);
            while (!done) {
                if (HWND box = WaitForDialog(handled, 50)) {
                    unexpected.push_back(WindowText(box) + L": " + MessageText(box));
                    handled.push_back(box);
                    Press(box, IDOK);
                }
            }
        });
        n->mnopt().Click(item);
        done = true;
        user.join();
        for (const std::wstring& u : unexpected) ADD_FAILURE() << "unexpected message box " << Narrow(u);
        return seen;
    }

    static void Act(UINT item, const std::wstring& path, int answer, bool expectMessage, Seen& seen,
                    std::vector<HWND>& handled) {
        HWND dialog = WaitForDialog();
        if (!dialog) return;
        handled.push_back(dialog);
        if (path.empty()) {
            Press(dialog, IDCANCEL);
            return;
        }
        bool asksToReplace = item == frmNote::mnuSaveNotes && Exists(path);
        ChooseName(dialog, path);
        if (!expectMessage && !asksToReplace) return;
        HWND box = WaitForDialog(handled, expectMessage ? 15000 : 5000);
        if (box && asksToReplace && WindowText(box) != L"GlumaNote") {
            handled.push_back(box);
            Press(box, IDYES);  // the save dialog's replace question comes first
            WaitGone(box);
            box = expectMessage ? WaitForDialog(handled) : nullptr;
        }
        if (!box) return;
        handled.push_back(box);
        seen.caption = WindowText(box);
        seen.text = MessageText(box);
        Press(box, answer);
    }

    static std::string Narrow(const std::wstring& w) {
        int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string s(static_cast<size_t>(n), '\0');
        WideCharToMultiByte(CP_UTF8, 0, w.c_str(), -1, &s[0], n, nullptr, nullptr);
        return s;
    }

    std::vector<frmNote*> notes;
    TempFolder dir;
};

TEST_F(NoteFileMenuTest, SaveWritesTheNoteAndAnotherNoteOpensItBack) {
    const std::wstring text = L"桌面\r\n格卢玛 abc\r\n\r\nend";
    frmNote* a = NewNote(text);
    std::wstring path = dir / L"note.txt";
    Choose(a, frmNote::mnuSaveNotes, path);
    if (GetACP() == 936) {
        EXPECT_EQ(ReadBytes(path), "\xD7\xC0\xC3\xE6\r\n\xB8\xF1\xC2\xAC\xC2\xEA abc\r\n\r\nend\r\n");
    }
    EXPECT_EQ(a->txtNote().Text(), text) << "saving leaves the note as it was";

    frmNote* b = NewNote(L"text to be replaced");
    // Options away from their initial state: opening must not touch them.
    b->mnopt().SetChecked(frmNote::mnuHideMin, false);
    b->mnopt().SetChecked(frmNote::mnuStayOnTop, true);
    std::size_t forms = tk::LoadedForms::Count();
    Choose(b, frmNote::mnuOpenNotes, path);
    EXPECT_EQ(b->txtNote().Text(), text);
    EXPECT_EQ(b->Labels()[1]->Caption(), L"创建于 2026/12/6 18:12:05");
    EXPECT_FALSE(b->mnopt().Checked(frmNote::mnuHideMin));
    EXPECT_TRUE(b->mnopt().Checked(frmNote::mnuStayOnTop));
    EXPECT_FALSE(b->mnopt().Checked(frmNote::mnuSetDateTime));
    EXPECT_EQ(tk::LoadedForms::Count(), forms) << "opening never makes a new note";

    // Saving again over the file (after the replace question) gives the same bytes.
    std::string before = ReadBytes(path);
    Choose(b, frmNote::mnuSaveNotes, path);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::wstring>{L"note.txt"});
}

TEST_F(NoteFileMenuTest, CancelWritesNothingAndChangesNothing) {
    frmNote* n = NewNote(L"keep me");
    Choose(n, frmNote::mnuSaveNotes, L"");
    EXPECT_TRUE(ListFolder(dir.Path()).empty());
    Choose(n, frmNote::mnuOpenNotes, L"");
    EXPECT_EQ(n->txtNote().Text(), L"keep me");
}

TEST_F(NoteFileMenuTest, FailedOpenShowsTheNotesMessageAndKeepsItsText) {
    frmNote* n = NewNote(L"my text");
    std::wstring path = dir / L"binary.dat";
    ASSERT_TRUE(WriteBytes(path, std::string("MZ\0\0\x90\0", 6)));
    Seen seen = Choose(n, frmNote::mnuOpenNotes, path, IDOK, true);
    EXPECT_EQ(seen.caption, L"GlumaNote");
    EXPECT_NE(seen.text.find(path), std::wstring::npos) << seen.text;
    EXPECT_EQ(n->txtNote().Text(), L"my text");
}

TEST_F(NoteFileMenuTest, FailedSaveShowsTheNotesMessageAndKeepsTheFile) {
    frmNote* n = NewNote(L"new text");
    std::wstring path = dir / L"readonly.txt";
    ASSERT_TRUE(WriteBytes(path, "old\r\n"));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    Seen seen = Choose(n, frmNote::mnuSaveNotes, path, IDOK, true);
    EXPECT_EQ(seen.caption, L"GlumaNote");
    EXPECT_NE(seen.text.find(path), std::wstring::npos) << seen.text;
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_EQ(n->txtNote().Text(), L"new text");
}

TEST_F(NoteFileMenuTest, CharactersTheCodePageLacksAreListedAndTheUserDecides) {
    if (GetACP() != 936) GTEST_SKIP() << "needs ANSI code page 936";
    frmNote* n = NewNote(L"桌面 한국");
    std::wstring path = dir / L"lossy.txt";
    Seen seen = Choose(n, frmNote::mnuSaveNotes, path, IDCANCEL, true);
    EXPECT_EQ(seen.caption, L"GlumaNote");
    EXPECT_NE(seen.text.find(L"“한”"), std::wstring::npos) << seen.text;
    EXPECT_NE(seen.text.find(L"“국”"), std::wstring::npos) << seen.text;
    EXPECT_FALSE(Exists(path)) << "cancel writes nothing";
    seen = Choose(n, frmNote::mnuSaveNotes, path, IDOK, true);
    EXPECT_EQ(ReadBytes(path), "\xD7\xC0\xC3\xE6 ??\r\n");
}

TEST_F(NoteFileMenuTest, TextFarBeyondThe32767CharacterDefaultIsKeptWhole) {
    frmNote* n = NewNote(L"");
    // The text box takes far more than the edit control's default limit.
    EXPECT_GE(static_cast<std::size_t>(SendMessageW(n->txtNote().Handle(), EM_GETLIMITTEXT, 0, 0)),
              std::size_t{10} << 20);
    std::string file;
    for (int line = 0; file.size() < 300000; ++line)
        file += "line " + std::to_string(line) + " \xB8\xF1\xC2\xAC\xC2\xEA\r\n";
    std::wstring path = dir / L"long.txt";
    ASSERT_TRUE(WriteBytes(path, file));
    Choose(n, frmNote::mnuOpenNotes, path);
    EXPECT_GT(n->txtNote().Text().size(), 200000u);
    std::wstring copy = dir / L"copy.txt";
    Choose(n, frmNote::mnuSaveNotes, copy);
    EXPECT_TRUE(ReadBytes(copy) == file);
}

}  // namespace
