// Timing of the note file commands under Wine, without their dialogs: the same calls the
// menu items make once a name is chosen, and beside them the floor that the text box sets,
// a bare edit control made like the note's taking the same text. Prints figures; it is not
// a test and fails on nothing. Memory figures come from the driver (scripts/bench-files),
// which reads the process's peak resident size on the Linux side.
//
//   filesbench make PATH MEGABYTES gbk|ascii   writes a note file of about that size
//   filesbench bare PATH      a bare edit control, made like the note's, takes the file's
//                             text in one WM_SETTEXT (the text is read beforehand)
//   filesbench box PATH       the same WM_SETTEXT into a shown note's own text box
//   filesbench open PATH      a shown note opens the file (read, convert, text box)
//   filesbench read PATH      only the file part of open: read, decode, reading rule
//   filesbench save PATH OUT  a note holding PATH's text saves it to OUT
//   filesbench write PATH OUT only the file part of save: encode, write, flush, replace
//
// All but make print "ready" once set up and wait for a line on stdin, do the one
// operation, print its figures, and wait for another line before they exit, so the driver
// can take the memory figures around exactly that operation.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "note/NoteFileCommands.h"
#include "note/frmNote.h"
#include "toolkit/Application.h"
#include "toolkit/Dpi.h"
#include "toolkit/Gdi.h"
#include "toolkit/TextBox.h"
#include "toolkit/TextFile.h"

namespace {

double Now() {
    LARGE_INTEGER freq, t;
    QueryPerformanceFrequency(&freq);
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

void Report(const char* what, double ms, std::size_t chars) {
    std::printf("result %s ms=%.1f chars=%zu\n", what, ms, chars);
    std::fflush(stdout);
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
    return tk::ReplaceWholeFile(path, file).state == tk::SaveOutcome::State::Saved ? 0 : Fail("writing the file");
}

frmNote* ShownNote() {
    frmNote* note = tk::LoadForm<frmNote>();
    note->Show();
    return note;
}

// A plain window of the note's size holding an edit control made as the note makes its
// text box (same class, style, place, font and limit): the floor for opening a file.
class BareWindow : public tk::Form {
public:
    BareWindow() : Form(Style()), m_font(tk::CreatePointFont(L"MS Sans Serif", 8.25, true, false, GB2312_CHARSET, tk::SystemDpi())) {}
    tk::TextBox box;

protected:
    void OnCreate() override {
        tk::TextBoxArgs args;
        args.id = 1;
        args.rect = RECT{16, 40, 16 + 249, 40 + frmNote::kTextHeight};
        args.font = m_font.Get();
        box.Create(*this, args);
    }

private:
    static tk::FormStyle Style() {
        tk::FormStyle style;
        style.clientWidth = frmNote::kClientWidth;
        style.clientHeight = frmNote::kClientHeight;
        return style;
    }
    tk::ScopedGdiObject<HFONT> m_font;
};

std::wstring TextOf(const std::wstring& path) {
    note::NoteFileText file;
    return note::ReadNoteFile(path, 0x7FFFFFFE, file) ? std::wstring() : std::move(file.text);
}

// One WM_SETTEXT of the file's text (read beforehand) into a bare control or the note's.
int SetText(const std::wstring& path, bool inNote) {
    tk::TextBox* box = nullptr;
    if (inNote) {
        box = &ShownNote()->txtNote();
    } else {
        BareWindow* window = tk::LoadForm<BareWindow>();
        window->Show();
        box = &window->box;
    }
    std::wstring text = TextOf(path);
    Handshake("ready");
    double t0 = Now();
    bool ok = box->ReplaceText(text);
    Report(inNote ? "box" : "bare", Now() - t0, static_cast<std::size_t>(GetWindowTextLengthW(box->Handle())));
    Handshake("done");
    return ok ? 0 : 1;
}

int Open(const std::wstring& path) {
    frmNote* note = ShownNote();
    note::NoteFileCommands files;
    Handshake("ready");
    double t0 = Now();
    bool ok = files.OpenFrom(path, note->txtNote().MaxLength(),
                             [&](const std::wstring& text) { return note->txtNote().ReplaceText(text); }, Say);
    Report("open", Now() - t0, static_cast<std::size_t>(GetWindowTextLengthW(note->txtNote().Handle())));
    Handshake("done");
    return ok ? 0 : 1;
}

int Read(const std::wstring& path) {
    Handshake("ready");
    double t0 = Now();
    note::NoteFileText file;
    bool ok = note::ReadNoteFile(path, 0x7FFFFFFE, file) == ERROR_SUCCESS;
    Report("read", Now() - t0, file.text.size());
    Handshake("done");
    return ok ? 0 : 1;
}

int Write(const std::wstring& path, const std::wstring& out, bool throughNote) {
    note::NoteFileCommands files;
    std::wstring text;
    // Opening first lets the save write the file's own encoding back.
    if (!files.OpenFrom(path, 0x7FFFFFFE, [&](const std::wstring& t) { return text = t, true; }, Say))
        return Fail("reading the file");
    frmNote* note = throughNote ? ShownNote() : nullptr;
    if (note) note->txtNote().SetText(text), std::wstring().swap(text);
    Handshake("ready");
    std::size_t chars = note ? static_cast<std::size_t>(GetWindowTextLengthW(note->txtNote().Handle())) : text.size();
    double t0 = Now();
    bool ok = note ? files.SaveTo(out, [&] { return note->txtNote().Text(); }, Say)
                   : tk::ReplaceWholeFile(out, note::Encode(text, files.Encoding(), 0).bytes).state ==
                         tk::SaveOutcome::State::Saved;
    Report(note ? "save" : "write", Now() - t0, chars);
    Handshake("done");
    return ok ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    tk::InitProcess();
    if (argc < 3) return Fail("usage: filesbench make|bare|box|open|read|save|write PATH ...");
    const std::wstring mode = argv[1], path = argv[2];
    if (mode == L"make" && argc >= 5) return Make(path, _wtof(argv[3]), std::wstring(argv[4]) == L"gbk");
    if (mode == L"bare" || mode == L"box") return SetText(path, mode == L"box");
    if (mode == L"open") return Open(path);
    if (mode == L"read") return Read(path);
    if ((mode == L"save" || mode == L"write") && argc >= 4) return Write(path, argv[3], mode == L"save");
    return Fail("unknown mode");
}
