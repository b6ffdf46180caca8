#include "toolkit/TextFile.h"

#include <algorithm>
#include <cwchar>

#include "toolkit/core/Digits.h"

namespace tk {
namespace {

// Owns a file handle.
class ScopedFile {
public:
    explicit ScopedFile(HANDLE h) : m_h(h) {}
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;
    ~ScopedFile() { Close(); }
    bool Valid() const { return m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }
    // Closes now; false when the system reports an error (a late write failure).
    bool Close() {
        bool ok = true;
        if (Valid()) ok = CloseHandle(m_h) != FALSE;
        m_h = INVALID_HANDLE_VALUE;
        return ok;
    }

private:
    HANDLE m_h;
};

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

// Creates a new, empty file with a name of its own in folder.
DWORD CreateTemporaryBeside(const std::wstring& folder, DWORD attributes, std::wstring& name,
                            HANDLE& handle) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder + L"~GlumaNote-" + Hex(GetCurrentProcessId() ^ GetTickCount(), 8) +
               Hex(++counter & 0xFFFF, 4) + L".tmp";
        handle = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes,
                             nullptr);
        if (handle != INVALID_HANDLE_VALUE) return ERROR_SUCCESS;
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return error;
    }
    return ERROR_FILE_EXISTS;
}

DWORD WriteAll(HANDLE file, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, kChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, piece, &written, nullptr)) return GetLastError();
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

// Whether the file at full may be written, and where. A missing file may be created.
DWORD FindTarget(const std::wstring& full, Target& target) {
    target.path = full;
    DWORD attributes = GetFileAttributesW(full.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
    }
    // Replacing a file would get past both marks, so they are checked here.
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) return ERROR_ACCESS_DENIED;
    // Another program that holds the file open without letting others write keeps it.
    ScopedFile probe(CreateFileW(full.c_str(), GENERIC_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!probe.Valid()) return GetLastError();
    BY_HANDLE_FILE_INFORMATION info;
    if (GetFileInformationByHandle(probe.Get(), &info)) target.links = info.nNumberOfLinks;
    target.path = FinalPath(probe.Get(), full);
    target.exists = true;
    target.keptAttributes = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
    return ERROR_SUCCESS;
}

DWORD SetSize(HANDLE file, std::size_t size) {
    LARGE_INTEGER at;
    at.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(file, at, nullptr, FILE_BEGIN) || !SetEndOfFile(file)) return GetLastError();
    return ERROR_SUCCESS;
}

// Writes over the file itself: for a file with other hard links, and where no new file can
// be made beside it. The room for the new content is taken first, so a full disk is found
// before any old byte changes.
DWORD WriteInPlace(const std::wstring& target, std::string_view bytes) {
    ScopedFile file(CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return GetLastError();
    LARGE_INTEGER old;
    if (!GetFileSizeEx(file.Get(), &old)) return GetLastError();
    if (bytes.size() > static_cast<unsigned long long>(old.QuadPart))
        if (DWORD error = SetSize(file.Get(), bytes.size())) return error;
    LARGE_INTEGER start = {};
    if (!SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN)) return GetLastError();
    DWORD error = WriteAll(file.Get(), bytes);
    if (!error) error = SetSize(file.Get(), bytes.size());  // a shorter text drops the old rest
    if (!error && !FlushFileBuffers(file.Get())) error = GetLastError();
    if (!file.Close() && !error) error = GetLastError();
    return error;
}

// Writes a new file beside the target, flushed, and puts it in the target's place in one
// step: ReplaceFileW keeps the old file's attributes, access rights, streams and short
// name. Fails without touching the target when no new file can be made there.
DWORD ReplaceByNewFile(const Target& target, std::string_view bytes, bool& madeNewFile) {
    std::wstring temporary;
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD attributes = target.keptAttributes ? target.keptAttributes : FILE_ATTRIBUTE_NORMAL;
    madeNewFile = false;
    if (DWORD error = CreateTemporaryBeside(FolderOf(target.path), attributes, temporary, handle))
        return error;
    madeNewFile = true;
    ScopedFile file(handle);
    DWORD error = WriteAll(file.Get(), bytes);
    // The content must be on the disk before the name points at it, or a crash right after
    // the replacement could leave an empty file where the old one was.
    if (!error && !FlushFileBuffers(file.Get())) error = GetLastError();
    if (!file.Close() && !error) error = GetLastError();
    if (!error) {
        BOOL done = target.exists
                        ? ReplaceFileW(target.path.c_str(), temporary.c_str(), nullptr,
                                       REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                        : MoveFileExW(temporary.c_str(), target.path.c_str(), MOVEFILE_WRITE_THROUGH);
        if (!done) error = GetLastError();
    }
    // Here the old file is already gone and the new content has only the temporary name:
    // it takes the target's name by a plain move, and is never deleted.
    if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
        if (MoveFileExW(temporary.c_str(), target.path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return ERROR_SUCCESS;
        return error;
    }
    if (error) DeleteFileW(temporary.c_str());
    return error;
}

}  // namespace

DWORD ReadWholeFile(const std::wstring& path, std::size_t maxBytes, std::string& bytes) {
    std::wstring full = FullPath(path);
    ScopedFile file(CreateFileW(full.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) return GetLastError();
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

DWORD ReplaceWholeFile(const std::wstring& path, std::string_view bytes) {
    Target target;
    if (DWORD error = FindTarget(FullPath(path), target)) return error;
    // Replacing one name of several hard links would part it from the others.
    if (target.links > 1) return WriteInPlace(target.path, bytes);
    bool madeNewFile = false;
    DWORD error = ReplaceByNewFile(target, bytes, madeNewFile);
    // A folder where files may be changed but not made (C:\ for a standard user): the
    // plain write still works there.
    if (error && !madeNewFile && target.exists) error = WriteInPlace(target.path, bytes);
    return error;
}

}  // namespace tk
