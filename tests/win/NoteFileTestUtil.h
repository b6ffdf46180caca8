#pragma once
// Helpers for the note file tests: a scratch folder, raw file bytes, a message recorder
// standing in for the user, and Unix commands for the filesystems Wine runs on.
#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "note/NoteFile.h"

namespace filetest {

// A new, empty folder in the temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder() {
        wchar_t temp[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, temp);
        static int counter = 0;
        for (;;) {
            m_path = std::wstring(temp) + L"notefile-" + std::to_wstring(GetCurrentProcessId()) +
                     L"-" + std::to_wstring(++counter);
            if (CreateDirectoryW(m_path.c_str(), nullptr)) break;
        }
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() { RemoveTree(m_path); }

    const std::wstring& Path() const { return m_path; }
    std::wstring operator/(const std::wstring& name) const { return m_path + L"\\" + name; }

    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                std::wstring path = folder + L"\\" + name;
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                    RemoveTree(path);
                else
                    DeleteFileW(path.c_str());
            } while (FindNextFileW(find, &found));
            FindClose(find);
        }
        RemoveDirectoryW(folder.c_str());
    }

private:
    std::wstring m_path;
};

// The names in a folder, sorted.
inline std::vector<std::wstring> ListFolder(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

inline bool Exists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The file's bytes, read directly (not through the code under test).
inline std::string ReadBytes(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "<cannot open>";
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(h, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    CloseHandle(h);
    return bytes;
}

inline bool WriteBytes(const std::wstring& path, std::string_view bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = bytes.empty() ||
              (WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
               written == bytes.size());
    CloseHandle(h);
    return ok;
}

// Stands in for the user: records every message and answers with `answer`.
struct Recorder {
    struct Message {
        std::wstring text;
        UINT flags;
    };
    std::vector<Message> messages;
    int answer = IDOK;

    note::Messenger Messenger() {
        return [this](const std::wstring& text, UINT flags) {
            messages.push_back({text, flags});
            return answer;
        };
    }
    bool Said(const std::wstring& part) const {
        for (const auto& m : messages)
            if (m.text.find(part) != std::wstring::npos) return true;
        return false;
    }
    std::wstring All() const {
        std::wstring all;
        for (const auto& m : messages) all += m.text + L"\n----\n";
        return all;
    }
};

// Runs a Unix shell command line (no double quotes in it); true when it exits with 0.
// Wine starts Linux programs directly, but their process handle cannot be waited on, so
// the command leaves its exit status in a file that is watched for.
inline bool RunUnix(const std::string& command) {
    static int counter = 0;
    std::string marker = "/tmp/glumanote-run-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(++counter);
    std::string script = "( " + command + " ); echo $? > " + marker + ".part && mv " + marker +
                         ".part " + marker;
    std::wstring line = L"/bin/sh -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &si, &pi))
        return false;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::wstring watched = L"Z:" + std::wstring(marker.begin(), marker.end());
    for (wchar_t& c : watched)
        if (c == L'/') c = L'\\';
    for (int waited = 0; waited < 20000; waited += 20) {
        if (Exists(watched)) {
            std::string status = ReadBytes(watched);
            DeleteFileW(watched.c_str());
            return status.rfind("0", 0) == 0;
        }
        Sleep(20);
    }
    return false;
}

// A small tmpfs mounted for one test (root only), seen by Wine through drive Z:.
class SmallFilesystem {
public:
    explicit SmallFilesystem(const char* options) {
        m_unixPath = "/tmp/glumanote-fs-" + std::to_string(GetCurrentProcessId()) + "-" +
                     std::to_string(++Counter());
        m_mounted = RunUnix("mkdir -p " + m_unixPath + " && mount -t tmpfs -o " + options +
                            " tmpfs " + m_unixPath);
        if (!m_mounted) RunUnix("rmdir " + m_unixPath);
    }
    SmallFilesystem(const SmallFilesystem&) = delete;
    SmallFilesystem& operator=(const SmallFilesystem&) = delete;
    ~SmallFilesystem() {
        if (m_mounted) RunUnix("umount " + m_unixPath + " && rmdir " + m_unixPath);
    }
    bool Mounted() const { return m_mounted; }
    bool Remount(const char* options) {
        return RunUnix("mount -o remount," + std::string(options) + " " + m_unixPath);
    }
    std::wstring Path() const {
        std::wstring path = L"Z:";
        for (char c : m_unixPath) path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
        return path;
    }

private:
    static int& Counter() {
        static int counter = 0;
        return counter;
    }
    std::string m_unixPath;
    bool m_mounted = false;
};

}  // namespace filetest
