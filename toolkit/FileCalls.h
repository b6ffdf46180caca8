#pragma once
// The file system calls that a save makes, in one table, so that a test can make any of
// them fail as the system would (a full disk, a refused replacement). The program itself
// never changes the table: each entry is the system's own function.
#include <windows.h>

namespace tk {

struct FileCalls {
    decltype(&CreateFileW) create;
    decltype(&WriteFile) write;
    decltype(&FlushFileBuffers) flush;
    decltype(&SetEndOfFile) setEnd;
    decltype(&CloseHandle) close;
    decltype(&ReplaceFileW) replace;
    decltype(&MoveFileExW) move;
    decltype(&DeleteFileW) remove;
};

extern FileCalls g_fileCalls;

}  // namespace tk
