// The file dialog of a note: the system's open and save dialogs, driven from a second
// thread as a user would: the name offered, the name chosen, cancel, the question before
// an existing file is replaced, and the refusal of a missing file to open.
#include <gtest/gtest.h>

#include <thread>

#include "tests/win/NoteFileDialogUtil.h"
#include "tests/win/NoteFileTestUtil.h"
#include "tests/win/WinTestUtil.h"
#include "toolkit/FileDialog.h"

namespace {

using namespace filetest;

class FileDialogTest : public testing::Test {
protected:
    void SetUp() override { owner = tk::LoadForm<wintest::TestForm>(); }
    void TearDown() override {
        if (owner) owner->Destroy();
        wintest::Pump(20);
    }
    // Runs the dialog on this thread while `user` acts on it from another.
    template <class User>
    bool Run(bool save, User user) {
        std::thread helper(user);
        bool chosen = save ? dialog.ShowSave(owner->Handle()) : dialog.ShowOpen(owner->Handle());
        helper.join();
        return chosen;
    }

    wintest::TestForm* owner = nullptr;
    tk::FileDialog dialog;
    TempFolder dir;
};

TEST_F(FileDialogTest, RemembersTheChosenNameAndOffersItToBothDialogs) {
    std::wstring path = dir / L"first.txt";
    std::wstring offered = L"<no dialog>";
    EXPECT_TRUE(Run(true, [&] {
        HWND d = WaitForDialog();
        if (!d) return;
        offered = WindowText(FileNameBox(d));
        ChooseName(d, path);
    }));
    EXPECT_EQ(offered, L"") << "nothing is offered the first time";
    EXPECT_EQ(dialog.FileName(), path);

    // The open dialog offers the same name; cancelling keeps it.
    ASSERT_TRUE(WriteBytes(path, "x"));
    EXPECT_FALSE(Run(false, [&] {
        HWND d = WaitForDialog();
        if (!d) return;
        offered = WindowText(FileNameBox(d));
        Press(d, IDCANCEL);
    }));
    EXPECT_NE(offered.find(L"first.txt"), std::wstring::npos) << offered;
    EXPECT_EQ(dialog.FileName(), path);
    EXPECT_EQ(dialog.Failure(), 0u);

    // A name chosen in the open dialog is offered by the save dialog next.
    std::wstring second = dir / L"second.txt";
    ASSERT_TRUE(WriteBytes(second, "y"));
    EXPECT_TRUE(Run(false, [&] {
        if (HWND d = WaitForDialog()) ChooseName(d, second);
    }));
    EXPECT_EQ(dialog.FileName(), second);
    EXPECT_FALSE(Run(true, [&] {
        HWND d = WaitForDialog();
        if (!d) return;
        offered = WindowText(FileNameBox(d));
        Press(d, IDCANCEL);
    }));
    EXPECT_NE(offered.find(L"second.txt"), std::wstring::npos) << offered;
}

TEST_F(FileDialogTest, SaveAsksBeforeReplacingAnExistingFile) {
    std::wstring path = dir / L"exists.txt";
    ASSERT_TRUE(WriteBytes(path, "old"));
    std::wstring question = L"<no question>";
    // "No" goes back to the dialog, which is then cancelled.
    EXPECT_FALSE(Run(true, [&] {
        HWND d = WaitForDialog();
        if (!d) return;
        ChooseName(d, path);
        HWND ask = WaitForDialog({d});
        if (!ask) return;
        question = MessageText(ask);
        Press(ask, IDNO);
        WaitGone(ask);
        Press(d, IDCANCEL);
    }));
    // (Windows names the file in its question; Wine's question does not.)
    EXPECT_NE(question, L"<no question>");
    EXPECT_FALSE(question.empty());
    EXPECT_EQ(dialog.FileName(), L"");
    // "Yes" takes the name.
    EXPECT_TRUE(Run(true, [&] {
        HWND d = WaitForDialog();
        if (!d) return;
        ChooseName(d, path);
        if (HWND ask = WaitForDialog({d})) Press(ask, IDYES);
    }));
    EXPECT_EQ(dialog.FileName(), path);
    EXPECT_EQ(ReadBytes(path), "old") << "the dialog itself writes nothing";
}

TEST_F(FileDialogTest, OpenTakesOnlyExistingFiles) {
    std::wstring missing = dir / L"missing.txt";
    std::wstring refusal = L"<no refusal>";
    EXPECT_FALSE(Run(false, [&] {
        HWND d = WaitForDialog();
        if (!d) return;
        ChooseName(d, missing);
        HWND refused = WaitForDialog({d});
        if (!refused) return;
        refusal = MessageText(refused);
        Press(refused, IDOK);
        WaitGone(refused);
        Press(d, IDCANCEL);
    }));
    EXPECT_NE(refusal, L"<no refusal>");
    EXPECT_FALSE(refusal.empty());
    EXPECT_EQ(dialog.FileName(), L"");
    EXPECT_FALSE(Exists(missing));
}

TEST_F(FileDialogTest, ARememberedNameInAFolderThatIsGoneStillOpensTheDialog) {
    dialog.SetFileName(dir / L"gone\\deeper\\note.txt");
    bool shown = false;
    EXPECT_FALSE(Run(false, [&] {
        HWND d = WaitForDialog();
        shown = d != nullptr;
        if (d) Press(d, IDCANCEL);
    }));
    EXPECT_TRUE(shown);
    EXPECT_EQ(dialog.Failure(), 0u);
}

}  // namespace
