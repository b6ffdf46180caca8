// A wide string as a JSON string literal, non-ASCII as \u escapes (the tests read it as UTF-16).
#pragma once
#include <cstdio>
#include <string>

inline std::string Json(const std::wstring& s) {
    std::string out = "\"";
    for (wchar_t c : s) {
        char buf[8];
        if (c == L'"' || c == L'\\' || c < 0x20 || c > 0x7E) {
            snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(c));
            out += buf;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// Where the menu hook leaves the items it read: the same file for both processes of a prefix.
#include <windows.h>
inline std::wstring MenuFile() {
    wchar_t dir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + L"wininspect-menu.txt";
}
