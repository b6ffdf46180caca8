#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "note/core/NoteText.h"

namespace {

using note::ContainsNul;
using note::NoteFileBytesFromText;
using note::NoteTextFromFileBytes;
using note::SplitNoteFileLines;
using Lines = std::vector<std::string>;

TEST(NoteFileLines, EachTerminatorEndsALine) {
    EXPECT_EQ(SplitNoteFileLines("a\r\nb\r\n"), (Lines{"a", "b"}));  // CR LF
    EXPECT_EQ(SplitNoteFileLines("a\rb\r"), (Lines{"a", "b"}));      // CR alone
    EXPECT_EQ(SplitNoteFileLines("a\nb\n"), (Lines{"a", "b"}));      // LF alone
    EXPECT_EQ(SplitNoteFileLines("a\r\nb\rc\nd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(SplitNoteFileLines("a\n\rb"), (Lines{"a", "", "b"}));  // LF then CR is two line ends
    EXPECT_EQ(SplitNoteFileLines("a\r\r\nb"), (Lines{"a", "", "b"}));
}

TEST(NoteFileLines, LastLineEndsAtTheEndOfTheFile) {
    EXPECT_EQ(SplitNoteFileLines("abc"), (Lines{"abc"}));
    EXPECT_EQ(SplitNoteFileLines("abc\r\n"), (Lines{"abc"}));  // no empty line after the last terminator
    EXPECT_EQ(SplitNoteFileLines("abc\r"), (Lines{"abc"}));
    EXPECT_EQ(SplitNoteFileLines("abc\r\n\r\n"), (Lines{"abc", ""}));
}

TEST(NoteFileLines, EmptyFilesAndFilesOfTerminatorsOnly) {
    EXPECT_TRUE(SplitNoteFileLines("").empty());
    EXPECT_EQ(SplitNoteFileLines("\r\n"), (Lines{""}));
    EXPECT_EQ(SplitNoteFileLines("\n"), (Lines{""}));
    EXPECT_EQ(SplitNoteFileLines("\r"), (Lines{""}));
    EXPECT_EQ(SplitNoteFileLines("\r\n\r\n\r\n"), (Lines{"", "", ""}));
    EXPECT_EQ(SplitNoteFileLines("\n\n\r\r"), (Lines{"", "", "", ""}));
}

TEST(NoteFileLines, BytesOtherThanTerminatorsStayInTheLine) {
    // "格卢玛" in code page 936, a NUL and a tab: all ordinary bytes of the line.
    std::string gbk = "\xB8\xF1\xC2\xAC\xC2\xEA";
    std::string line = gbk + std::string("\0\t", 2) + "x";
    EXPECT_EQ(SplitNoteFileLines(line + "\r\n" + gbk), (Lines{line, gbk}));
}

TEST(NoteFileLines, VeryLongLines) {
    std::string longLine(3'000'000, 'x');
    longLine[1'234'567] = '\xD6';
    EXPECT_EQ(SplitNoteFileLines(longLine + "\r\n" + longLine), (Lines{longLine, longLine}));
    EXPECT_EQ(NoteTextFromFileBytes(longLine + "\n"), longLine);
}

TEST(NoteText, OpenJoinsLinesWithCrLfAndAddsNoneAfterTheLast) {
    EXPECT_EQ(NoteTextFromFileBytes("abc"), "abc");
    EXPECT_EQ(NoteTextFromFileBytes("abc\r\n"), "abc");
    EXPECT_EQ(NoteTextFromFileBytes("a\r\nb\r\n"), "a\r\nb");
    EXPECT_EQ(NoteTextFromFileBytes("a\nb\rc\r\nd\n"), "a\r\nb\r\nc\r\nd");  // every line break becomes CR LF
    EXPECT_EQ(NoteTextFromFileBytes(""), "");
    EXPECT_EQ(NoteTextFromFileBytes("\r\n"), "");
    EXPECT_EQ(NoteTextFromFileBytes("\r\n\r\n"), "\r\n");
    EXPECT_EQ(NoteTextFromFileBytes("\n\n\n"), "\r\n\r\n");
}

TEST(NoteText, SaveWritesTheTextThenCrLf) {
    EXPECT_EQ(NoteFileBytesFromText(""), "\r\n");
    EXPECT_EQ(NoteFileBytesFromText("abc"), "abc\r\n");
    EXPECT_EQ(NoteFileBytesFromText("a\r\nb"), std::string("a\r\nb\r\n"));
}

// Random texts made of the pieces that matter: ordinary ASCII, GBK pairs, CR LF line breaks.
std::string RandomText(std::mt19937& rng, bool loneTerminators) {
    static const std::vector<std::string> pieces{"a", "Z", " ", "\xB8\xF1", "\xC2\xAC", "\r\n", "\t", "0"};
    std::string t;
    int n = rng() % 60;
    for (int i = 0; i < n; ++i) {
        if (loneTerminators && rng() % 6 == 0) {
            t += rng() % 2 ? "\r" : "\n";
        } else {
            t += pieces[rng() % pieces.size()];
        }
    }
    return t;
}

TEST(NoteText, SaveThenOpenGivesTheTextBack) {
    std::mt19937 rng(42);
    for (int i = 0; i < 3000; ++i) {
        std::string text = RandomText(rng, false);
        ASSERT_EQ(NoteTextFromFileBytes(NoteFileBytesFromText(text)), text) << i;
    }
    // Repeated save and open no longer grows the note.
    std::string text = "a\r\n\r\nb\r\n";
    for (int i = 0; i < 5; ++i) text = NoteTextFromFileBytes(NoteFileBytesFromText(text));
    EXPECT_EQ(text, "a\r\n\r\nb\r\n");
}

TEST(NoteText, OpenThenSaveGivesTheFileBackWhenItEndsInCrLf) {
    std::mt19937 rng(43);
    for (int i = 0; i < 3000; ++i) {
        std::string file = RandomText(rng, false) + "\r\n";
        ASSERT_EQ(NoteFileBytesFromText(NoteTextFromFileBytes(file)), file) << i;
    }
}

TEST(NoteText, LoneTerminatorsBecomeCrLfAndTheRestIsKept) {
    std::mt19937 rng(44);
    for (int i = 0; i < 3000; ++i) {
        std::string file = RandomText(rng, true);
        std::string text = NoteTextFromFileBytes(file);
        // Every CR in the text is followed by LF and every LF follows a CR.
        for (size_t k = 0; k < text.size(); ++k) {
            if (text[k] == '\r') {
                ASSERT_TRUE(k + 1 < text.size() && text[k + 1] == '\n') << i;
            }
            if (text[k] == '\n') {
                ASSERT_TRUE(k > 0 && text[k - 1] == '\r') << i;
            }
        }
        // The lines are the same whichever way they were terminated (an empty file has
        // none, the empty note saved has one empty line).
        if (!file.empty()) {
            ASSERT_EQ(SplitNoteFileLines(NoteFileBytesFromText(text)), SplitNoteFileLines(file)) << i;
        }
        // Opening a file twice over changes nothing more.
        ASSERT_EQ(NoteTextFromFileBytes(NoteFileBytesFromText(text)), text) << i;
    }
}

TEST(NoteText, ContainsNul) {
    EXPECT_FALSE(ContainsNul(""));
    EXPECT_FALSE(ContainsNul("abc\r\n\xB8\xF1"));
    EXPECT_TRUE(ContainsNul(std::string("a\0b", 3)));
    EXPECT_TRUE(ContainsNul(std::string(1, '\0')));
}

}  // namespace
