// Shared by wininspect and its menu hook.
#pragma once
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

// The tools write UTF-16, as the system holds text (the tests decode it), line breaks unchanged.
inline void Put(FILE* out, const std::wstring& s) { fwrite(s.data(), sizeof(wchar_t), s.size(), out); }

// Where the menu hook leaves the items it read, for wininspect to print.
inline constexpr wchar_t kMenuFile[] = L"C:\\windows\\temp\\wininspect-menu.txt";
