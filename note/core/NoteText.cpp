#include "note/core/NoteText.h"

namespace note {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

// Calls onLine(line, isLast) for every line of the file, in order.
template <class OnLine>
void ForEachLine(std::string_view bytes, OnLine&& onLine) {
    std::size_t start = 0;
    const std::size_t size = bytes.size();
    while (start < size) {
        std::size_t end = bytes.find_first_of(kLineBreak, start);
        if (end == std::string_view::npos) {
            onLine(bytes.substr(start), true);
            return;
        }
        std::size_t next = end + 1;
        if (bytes[end] == '\r' && next < size && bytes[next] == '\n') ++next;
        onLine(bytes.substr(start, end - start), next == size);
        start = next;
    }
}

}  // namespace

std::vector<std::string> SplitNoteFileLines(std::string_view bytes) {
    std::vector<std::string> lines;
    ForEachLine(bytes, [&](std::string_view line, bool) { lines.emplace_back(line); });
    return lines;
}

std::string NoteTextFromFileBytes(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    ForEachLine(bytes, [&](std::string_view line, bool isLast) {
        text.append(line);
        if (!isLast) text.append(kLineBreak);
    });
    return text;
}

std::string NoteFileBytesFromText(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() + kLineBreak.size());
    bytes.append(text);
    bytes.append(kLineBreak);
    return bytes;
}

bool ContainsNul(std::string_view bytes) {
    return bytes.find('\0') != std::string_view::npos;
}

}  // namespace note
