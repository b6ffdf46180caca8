#pragma once
// Whole text files as bytes (the conversion to and from the ANSI code page is the caller's):
// read in one go, and replaced so that a failure never leaves a file half written. The
// functions return ERROR_SUCCESS or the system's error code; they show nothing.
#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace tk {

// Reads the whole file into bytes. A file that holds more than maxBytes gives
// ERROR_FILE_TOO_LARGE, found from its size before anything is read. Other programs may
// go on reading and writing the file meanwhile; one that holds it open for itself alone
// gives ERROR_SHARING_VIOLATION.
DWORD ReadWholeFile(const std::wstring& path, std::size_t maxBytes, std::string& bytes);

// Gives the file exactly the content bytes, creating it when it does not exist, and keeps
// what it replaces: through symbolic links and junctions the final target gets the content
// (the links stay links). The bytes are first written to a new file beside the target and
// flushed; ReplaceFileW then puts it in the target's place in one step, keeping the old
// file's attributes, access rights, streams and short name. So after a failure (disk full,
// folder gone) the old file is as it was and no temporary file is left behind. A file
// with other hard links, or one in a folder where no new file can be made, is written in
// place instead (flushed; the room is taken first, so a full disk changes nothing).
// A read-only file is refused with ERROR_ACCESS_DENIED, as is a folder; a file that
// another program holds open without letting others write gives ERROR_SHARING_VIOLATION.
DWORD ReplaceWholeFile(const std::wstring& path, std::string_view bytes);

}  // namespace tk
