#pragma once
// Whole text files as bytes (the conversion to and from the ANSI code page is the caller's):
// read in one go, and replaced so that a failure never leaves a file half written without
// saying so. The functions show nothing; they say what happened.
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace tk {

// Reads the whole file into bytes. A file that holds more than maxBytes gives
// ERROR_FILE_TOO_LARGE, found from its size before anything is read. Other programs may
// go on reading and writing the file meanwhile; one that holds it open for itself alone
// gives ERROR_SHARING_VIOLATION. Returns ERROR_SUCCESS or the system's error code.
DWORD ReadWholeFile(const std::wstring& path, std::size_t maxBytes, std::string& bytes);

// What a save left on the disk.
struct SaveOutcome {
    enum class State {
        Saved,         // the file holds the new content
        Untouched,     // the file is as it was
        MayBeDamaged,  // a write over the file itself failed half way
        Apart,         // the new content is in newAt, the old file in oldAt
    };
    State state = State::Saved;
    DWORD error = ERROR_SUCCESS;  // why, when not saved
    std::wstring newAt, oldAt;
    std::wstring leftOver;  // a temporary file the system would not remove (any state)
};

SaveOutcome SaveFailed(DWORD error, SaveOutcome::State state = SaveOutcome::State::Untouched);

// Gives the file exactly the content bytes, creating it when it does not exist, and keeps
// what it replaces: through symbolic links and junctions the final target gets the content
// (the links stay links). The bytes are first written to a new file beside the target and
// flushed; ReplaceFileW then puts it in the target's place in one step, keeping the old
// file's attributes, access rights, streams and short name, with the old file under a
// backup name until the step is done, so that a replacement the system gives up half way
// (its errors 1176 and 1177) still knows where both contents are. A file with other hard
// links, one that may be written but not deleted (some network shares), one in a folder
// where no new file can be made, and one whose replacement the system refuses, is written
// in place instead: flushed, the room taken first so a full disk changes nothing, but a
// failure once writing has begun may leave it damaged (MayBeDamaged). A read-only file is
// refused with ERROR_ACCESS_DENIED, as is a folder; a file that another program holds open
// without letting others write gives ERROR_SHARING_VIOLATION.
SaveOutcome ReplaceWholeFile(const std::wstring& path, std::string_view bytes);

// Test seam: the file system calls a save makes, in one table of the system's functions,
// so that a test can make any of them fail as the system would (a full disk, a refused
// replacement).
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
