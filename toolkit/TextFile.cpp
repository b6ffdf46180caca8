#include "toolkit/TextFile.h"

#include <algorithm>
#include <cwchar>

#include "toolkit/Gdi.h"
#include "toolkit/core/Digits.h"

namespace tk {

FileCalls g_fileCalls = {CreateFileW, WriteFile, FlushFileBuffers, SetEndOfFile,
                         CloseHandle, ReplaceFileW, MoveFileExW, DeleteFileW};

namespace {

using State = SaveOutcome::State;

BOOL WINAPI CloseFile(HANDLE file) { return g_fileCalls.close(file); }
// A file handle: Reset closes it now and says whether the system reported an error (a
// late write failure).
using ScopedFile = Owned<HANDLE, CloseFile, -1>;

// ReadFile and WriteFile take a DWORD count; large buffers go in pieces of this size.
constexpr DWORD kChunk = 1u << 24;

// The absolute, normalised form of path; beyond the classic length limit in the form
// ("\\?\") the file functions take at any length.
std::wstring FullPath(const std::wstring& path) {
    DWORD need = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (need == 0) return path;
    std::wstring full(need, L'\0');
    DWORD got = GetFullPathNameW(path.c_str(), need, &full[0], nullptr);
    if (got == 0 || got >= need) return path;
    full.resize(got);
    // Room for the temporary name beside it keeps both names on the same side of the limit.
    if (full.size() + 32 < MAX_PATH || full.compare(0, 4, L"\\\\?\\") == 0) return full;
    if (full.compare(0, 2, L"\\\\") == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// The folder part of a full path, with its trailing separator.
std::wstring FolderOf(const std::wstring& full) {
    std::size_t slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : full.substr(0, slash + 1);
}

bool Exists(const std::wstring& name) { return GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A name of the program's own in folder, for a file that does not exist yet.
std::wstring NameBeside(const std::wstring& folder) {
    static unsigned counter = 0;
    return folder + L"~GlumaNote-" + Hex(GetCurrentProcessId() ^ GetTickCount(), 8) +
           Hex(++counter & 0xFFFF, 4) + L".tmp";
}

// Creates a new, empty file with a name of its own in folder.
DWORD CreateTemporaryBeside(const std::wstring& folder, DWORD attributes, std::wstring& name,
                            HANDLE& handle) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = NameBeside(folder);
        handle = g_fileCalls.create(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr);
        if (handle != INVALID_HANDLE_VALUE) return ERROR_SUCCESS;
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return error;
    }
    return ERROR_FILE_EXISTS;
}

// Removes a file that the save made; one the system will not remove is named to the user.
void RemoveOwn(const std::wstring& name, SaveOutcome& outcome) {
    if (!g_fileCalls.remove(name.c_str())) outcome.leftOver = name;
}

DWORD WriteAll(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
        DWORD written = 0;
        if (!g_fileCalls.write(file, bytes.data() + done, piece, &written, nullptr)) return GetLastError();
        if (written == 0) return ERROR_WRITE_FAULT;
        done += written;
    }
    return ERROR_SUCCESS;
}

// What a save finds where it writes. Through symbolic links and junctions the path leads
// to its final target, which is what gets the new content: the links stay links.
struct Target {
    std::wstring path;     // the final target (or the path itself when it does not exist)
    bool exists = false;
    bool deletable = true;     // ReplaceFileW needs DELETE access to the target
    DWORD keptAttributes = 0;  // what a replacement must carry over itself (Wine does not)
    DWORD links = 1;           // hard links: names that must go on seeing the same file
};

std::wstring FinalPath(HANDLE file, const std::wstring& fallback) {
    DWORD need = GetFinalPathNameByHandleW(file, nullptr, 0, VOLUME_NAME_DOS);
    if (need == 0) return fallback;
    std::wstring final(need, L'\0');
    DWORD got = GetFinalPathNameByHandleW(file, &final[0], need, VOLUME_NAME_DOS);
    if (got == 0 || got >= need) return fallback;
    final.resize(got);
    return final;
}

HANDLE OpenExisting(const std::wstring& full, DWORD access) {
    return g_fileCalls.create(full.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Whether the file at full may be written, and where. A missing file may be created.
// The file is opened as ReplaceFileW opens it, with DELETE access; where only writing is
// allowed, it can still be written in place. Its marks are read from the final target,
// not from a link on the way.
DWORD FindTarget(const std::wstring& full, Target& target) {
    target.path = full;
    HANDLE handle = OpenExisting(full, GENERIC_WRITE | DELETE);
    // Refused: a share that allows no deleting, or another program (a scanner, a viewer)
    // that holds the file without letting it be deleted. Writing may still be allowed.
    if (handle == INVALID_HANDLE_VALUE &&
        (GetLastError() == ERROR_ACCESS_DENIED || GetLastError() == ERROR_SHARING_VIOLATION)) {
        handle = OpenExisting(full, GENERIC_WRITE);
        target.deletable = false;
    }
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
    }
    ScopedFile probe(handle);
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(probe.Get(), &info)) return GetLastError();
    // Writing in place, or replacing, would get past both marks, so they are checked here.
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ACCESS_DENIED;
    target.links = info.nNumberOfLinks;
    target.path = FinalPath(probe.Get(), full);
    target.exists = true;
    target.keptAttributes = info.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                     FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    return ERROR_SUCCESS;
}

DWORD SetSize(HANDLE file, std::size_t size) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) || !g_fileCalls.setEnd(file)) return GetLastError();
    return ERROR_SUCCESS;
}

// Writes over the file itself. The room for the new content is taken first, so a full
// disk is found before any old byte changes; a failure after that may leave it damaged.
SaveOutcome WriteInPlace(const std::wstring& target, std::string_view bytes) {
    ScopedFile file(g_fileCalls.create(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Holds()) return SaveFailed(GetLastError());
    LARGE_INTEGER old;
    if (!GetFileSizeEx(file.Get(), &old)) return SaveFailed(GetLastError());
    if (bytes.size() > static_cast<unsigned long long>(old.QuadPart))
        if (DWORD error = SetSize(file.Get(), bytes.size())) return SaveFailed(error);
    LARGE_INTEGER start = {};
    DWORD error = SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN) ? WriteAll(file.Get(), bytes)
                                                                          : GetLastError();
    if (!error) error = SetSize(file.Get(), bytes.size());  // a shorter text drops the old rest
    if (!error && !g_fileCalls.flush(file.Get())) error = GetLastError();
    if (!file.Reset() && !error) error = GetLastError();
    return error ? SaveFailed(error, State::MayBeDamaged) : SaveOutcome();
}

// ReplaceFileW gave up half way: with a backup name, 1176 leaves both files under their
// own names, 1177 leaves the old file under the backup name and none at the target. The
// new content, whose only copy is the temporary file, is moved into place; if that fails
// too, the user is told where each content is.
SaveOutcome FinishReplacement(const std::wstring& target, const std::wstring& temporary,
                              const std::wstring& backup, DWORD error) {
    SaveOutcome outcome;
    if (g_fileCalls.move(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        if (Exists(backup)) RemoveOwn(backup, outcome);
        return outcome;
    }
    outcome = SaveFailed(error, State::Apart);
    outcome.newAt = temporary;
    outcome.oldAt = Exists(target) ? target : backup;
    return outcome;
}

// Writes a new file beside the target, flushed, and puts it in the target's place in one
// step. inPlaceMayHelp: the target is untouched, and writing over it may still work (no
// new file could be made beside it, or the replacement was refused).
SaveOutcome ReplaceByNewFile(const Target& target, std::string_view bytes, bool& inPlaceMayHelp) {
    const std::wstring folder = FolderOf(target.path);
    std::wstring temporary;
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD attributes = target.keptAttributes ? target.keptAttributes : FILE_ATTRIBUTE_NORMAL;
    if (DWORD error = CreateTemporaryBeside(folder, attributes, temporary, handle)) {
        inPlaceMayHelp = target.exists;
        return SaveFailed(error);
    }
    ScopedFile file(handle);
    DWORD error = WriteAll(file.Get(), bytes);
    // The content must be on the disk before the name points at it, or a crash right after
    // the replacement could leave an empty file where the old one was.
    if (!error && !g_fileCalls.flush(file.Get())) error = GetLastError();
    if (!file.Reset() && !error) error = GetLastError();
    std::wstring backup;
    for (int attempt = 0; attempt < 100 && (backup.empty() || Exists(backup)); ++attempt) backup = NameBeside(folder);
    if (!error) {
        BOOL done = target.exists ? g_fileCalls.replace(target.path.c_str(), temporary.c_str(), backup.c_str(),
                                                        REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                                  : g_fileCalls.move(temporary.c_str(), target.path.c_str(), MOVEFILE_WRITE_THROUGH);
        if (!done) error = GetLastError();
    }
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT || error == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2)
        return FinishReplacement(target.path, temporary, backup, error);
    // Otherwise (1175 included) neither file changed its name: the temporary one goes.
    SaveOutcome outcome = error ? SaveFailed(error) : SaveOutcome();
    if (error) RemoveOwn(temporary, outcome);
    else if (target.exists) RemoveOwn(backup, outcome);
    // Refused, held by another program, or the old file could not be moved aside (1175):
    // the target is as it was, and writing over it may still work.
    inPlaceMayHelp = target.exists && (error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                                       error == ERROR_UNABLE_TO_REMOVE_REPLACED);
    return outcome;
}

}  // namespace

SaveOutcome SaveFailed(DWORD error, SaveOutcome::State state) {
    SaveOutcome outcome;
    outcome.state = state;
    outcome.error = error;
    return outcome;
}

DWORD ReadWholeFile(const std::wstring& path, std::size_t maxBytes, std::string& bytes) {
    std::wstring full = FullPath(path);
    ScopedFile file(CreateFileW(full.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Holds()) return GetLastError();
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size)) return GetLastError();
    if (static_cast<unsigned long long>(size.QuadPart) > maxBytes) return ERROR_FILE_TOO_LARGE;

    // One byte more than the size, so the end is seen without growing the buffer; a file
    // that grows meanwhile is read on to its new end, within the limit.
    std::string data(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
    std::size_t got = 0;
    for (;;) {
        if (got == data.size()) {
            if (got > maxBytes) return ERROR_FILE_TOO_LARGE;
            data.resize(std::min(data.size() * 2, maxBytes + 1));
        }
        DWORD piece = static_cast<DWORD>(std::min<std::size_t>(data.size() - got, kChunk));
        DWORD read = 0;
        if (!ReadFile(file.Get(), &data[got], piece, &read, nullptr)) return GetLastError();
        if (read == 0) break;
        got += read;
    }
    data.resize(got);
    bytes.swap(data);
    return ERROR_SUCCESS;
}

SaveOutcome ReplaceWholeFile(const std::wstring& path, std::string_view bytes) {
    Target target;
    if (DWORD error = FindTarget(FullPath(path), target)) return SaveFailed(error);
    // Replacing one name of several hard links would part it from the others.
    if (target.exists && (target.links > 1 || !target.deletable)) return WriteInPlace(target.path, bytes);
    bool inPlaceMayHelp = false;
    SaveOutcome outcome = ReplaceByNewFile(target, bytes, inPlaceMayHelp);
    if (!inPlaceMayHelp) return outcome;
    // A folder where files may be changed but not made (C:\ for a standard user), or a
    // replacement refused (a share that allows no deleting, a scanner holding the file):
    // the plain write may still work there.
    SaveOutcome inPlace = WriteInPlace(target.path, bytes);
    if (inPlace.leftOver.empty()) inPlace.leftOver = outcome.leftOver;
    return inPlace;
}

}  // namespace tk
