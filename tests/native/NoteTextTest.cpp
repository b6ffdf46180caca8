// The note file's reading rule and the choice of encoding, from the bytes alone.
#include <gtest/gtest.h>

#include <string>

#include "note/core/NoteEncoding.h"
#include "note/core/NoteText.h"

using note::Encoding;
using namespace std::string_literals;

TEST(NoteText, LinesJoinWithCrLfAndNoneFollowsTheLast) {
    const struct { std::string file, text; } cases[] = {
        {"", ""}, {"abc", "abc"}, {"abc\r\n", "abc"}, {"a\r\nb\r\n", "a\r\nb"},
        {"a\nb\rc\r\nd\n", "a\r\nb\r\nc\r\nd"}, {"\r\n", ""}, {"\r\n\r\n", "\r\n"},
        {"\n\n\r\r", "\r\n\r\n\r\n"}, {"a\n\rb", "a\r\n\r\nb"}, {"a\r\r\nb\r", "a\r\n\r\nb"},
        {"\xB8\xF1\0\t"s, "\xB8\xF1\0\t"s},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(note::NoteTextFromFileText(c.file), c.text) << c.file;
        std::u16string wide(c.file.begin(), c.file.end());  // the same rule on UTF-16 units
        EXPECT_EQ(note::NoteTextFromFileText(wide), std::u16string(c.text.begin(), c.text.end()));
        // Saving (the text, then CR LF) and opening again gives the text back.
        EXPECT_EQ(note::NoteTextFromFileText(c.text + "\r\n"), c.text);
    }
    EXPECT_TRUE(note::ContainsNul(std::string("a\0", 2)));
    EXPECT_FALSE(note::ContainsNul(std::u16string(u"ab\r\n")));
}

TEST(NoteEncoding, DetectedFromTheBytes) {
    const struct { std::string bytes; Encoding kind; bool bom; } cases[] = {
        {"", Encoding::Ansi, false}, {"plain ascii\r\n", Encoding::Ansi, false},
        {"\xD7\xC0\xC3\xE6\r\n", Encoding::Ansi, false},  // this GBK is not valid UTF-8
        {"\xE6\xA1\x8C\xE9\x9D\xA2", Encoding::Utf8, false}, {"\xF0\x9F\x98\x80", Encoding::Utf8, false},
        {"\xEF\xBB\xBF" "abc", Encoding::Utf8, true}, {"\xEF\xBB\xBF\xFF", Encoding::Utf8, true},  // the mark decides
        {"\xFF\xFE" "a\0"s, Encoding::Utf16LE, true}, {"\xFE\xFF\0a"s, Encoding::Utf16BE, true},
        {"\xFF\xFE" "a", Encoding::Utf16LE, true},    // a stray last byte: the mark still decides
        {"\xC0\xAF", Encoding::Ansi, false}, {"\xED\xA0\x80", Encoding::Ansi, false},  // overlong; a surrogate
        {"\xF4\x90\x80\x80", Encoding::Ansi, false}, {"\xE6\xA1", Encoding::Ansi, false},  // above U+10FFFF; cut short
        {"\xE0\x80\xAF", Encoding::Ansi, false}, {"\xF0\x80\x80\xAF", Encoding::Ansi, false},  // overlong
        {"\xE6\xA1\x41", Encoding::Ansi, false}, {"\xF5\x80\x80\x80", Encoding::Ansi, false},  // no continuation; no lead
    };
    for (const auto& c : cases) EXPECT_TRUE(note::DetectEncoding(c.bytes) == (note::NoteEncoding{c.kind, c.bom})) << c.bytes;
}

// Bytes valid both as UTF-8 and as GBK (as the system would say), under a double-byte code page.
TEST(NoteEncoding, TextValidInBothIsReadAsWhatLooksLikeWriting) {
    auto gbk = [](std::string_view) { return true; };
    const struct { std::string bytes; Encoding kind; } cases[] = {
        {"\xD1\xA7\xCF\xB0", Encoding::Ansi}, {"\xD0\xBB\xD0\xBB", Encoding::Ansi},  // 学习, 谢谢
        {"\xD2\xBD\xD4\xBA", Encoding::Ansi},                                         // 医院
        {"\xE5\xAD\xA6\xE4\xB9\xA0", Encoding::Utf8},                                  // 学习
        {"caf\xC3\xA9", Encoding::Utf8}, {"na\xC3\xAFve", Encoding::Utf8},
        {"\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\xBC\xD0\xB8\xD1\x80", Encoding::Utf8},  // привет мир
    };
    for (const auto& c : cases) {
        EXPECT_EQ(note::DetectEncoding(c.bytes, gbk).kind, c.kind) << c.bytes;
        EXPECT_EQ(note::DetectEncoding(c.bytes + "\r\n", gbk).kind, c.kind) << c.bytes;
        // Valid in one of the two only, or under any other code page: UTF-8, as before.
        EXPECT_EQ(note::DetectEncoding(c.bytes, [](std::string_view) { return false; }).kind, Encoding::Utf8);
        EXPECT_EQ(note::DetectEncoding(c.bytes).kind, Encoding::Utf8);
    }
}
