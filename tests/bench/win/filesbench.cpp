// Timing of the note file commands under Wine, without their dialogs: the same calls the
// menu items make once a name is chosen. Prints figures; it is not a test and fails on
// nothing. The memory figures come from the driver (scripts/bench-files), which reads the
// process's peak resident size on the Linux side (Wine reports no peak private bytes).
//
//   filesbench make PATH MEGABYTES gbk|ascii   writes a note file of about that size
//   filesbench open PATH      a note opens the file (text box included)
//   filesbench read PATH      only the file part of open: read, split, convert
//   filesbench save PATH OUT  a note holding PATH's text saves it to OUT
//   filesbench write PATH OUT only the file part of save: convert, write, flush, replace
//
// open, read, save and write print "ready" once set up and wait for a line on stdin, do
// the one operation, print its figures, and wait for another line before they exit, so
// the driver can take the memory figures around exactly that operation.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "note/NoteFile.h"
#include "note/frmNote.h"
#include "toolkit/Application.h"
#include "toolkit/TextFile.h"

namespace {

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

int Fail(const char* what) {
    std::printf("failed: %s\n", what);
    return 1;
}

// Stops the figures of a failed operation from looking like a result.
int Say(const std::wstring& text, UINT) {
    std::printf("message: %ls\n", text.c_str());
    std::exit(2);
}

void Handshake(const char* what) {
    std::printf("%s\n", what);
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
}

// Lines of mixed Chinese and ASCII text, 20 to 120 bytes long, CR LF throughout.
int Make(const std::wstring& path, double megabytes, bool gbk) {
    const std::string pieces[] = {gbk ? "\xB8\xF1\xC2\xAC\xC2\xEA" : "gluma", " note ",
                                  gbk ? "\xD7\xC0\xC3\xE6" : "desk", " 12:30", gbk ? "\xCC\xE1\xD0\xD1" : "tip"};
    std::string file;
    const std::size_t size = static_cast<std::size_t>(megabytes * 1048576.0);
    file.reserve(size + 256);
    unsigned seed = 12345;
    while (file.size() < size) {
        seed = seed * 1103515245u + 12345u;
        std::size_t length = 20 + (seed >> 16) % 100;
        std::size_t start = file.size();
        while (file.size() - start < length) file += pieces[(seed >> 8) % 5], seed = seed * 69069u + 1;
        file += "\r\n";
    }
    return tk::ReplaceWholeFile(path, file) == ERROR_SUCCESS ? 0 : Fail("writing the file");
}

frmNote* MakeNote() {
    frmNote* note = tk::LoadForm<frmNote>();
    note->Show();
    return note;
}

void Report(const char* what, double ms, std::size_t chars) {
    std::printf("result %s ms=%.1f chars=%zu\n", what, ms, chars);
    std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    tk::InitProcess();
    if (argc < 3) return Fail("usage: filesbench make|open|read|save|write PATH ...");
    const std::wstring mode = argv[1], path = argv[2];
    if (mode == L"make" && argc >= 5) return Make(path, _wtof(argv[3]), std::wstring(argv[4]) == L"gbk");

    if (mode == L"read") {
        Handshake("ready");
        double t0 = Now();
        std::optional<std::wstring> text = note::ReadNoteFile(path, 0x7FFFFFFE, Say);
        Report("read", Now() - t0, text ? text->size() : 0);
        Handshake("done");
        return 0;
    }
    if (mode == L"open") {
        frmNote* note = MakeNote();
        Handshake("ready");
        double t0 = Now();
        bool ok = note::OpenNoteFileInto(note->txtNote(), path, Say);
        Report("open", Now() - t0, static_cast<std::size_t>(GetWindowTextLengthW(note->txtNote().Handle())));
        Handshake("done");
        return ok ? 0 : 1;
    }
    if ((mode == L"save" || mode == L"write") && argc >= 4) {
        const std::wstring out = argv[3];
        std::optional<std::wstring> text = note::ReadNoteFile(path, 0x7FFFFFFE, Say);
        if (!text) return Fail("reading the file");
        if (mode == L"write") {
            Handshake("ready");
            std::size_t chars = text->size();
            double t0 = Now();
            bool ok = note::WriteNoteFile(out, std::move(*text), Say);
            Report("write", Now() - t0, chars);
            Handshake("done");
            return ok ? 0 : 1;
        }
        frmNote* note = MakeNote();
        note->txtNote().SetText(*text);
        text.reset();
        Handshake("ready");
        double t0 = Now();
        bool ok = note::SaveNoteFileFrom(note->txtNote(), out, Say);
        Report("save", Now() - t0, static_cast<std::size_t>(GetWindowTextLengthW(note->txtNote().Handle())));
        Handshake("done");
        return ok ? 0 : 1;
    }
    return Fail("unknown mode");
}
