// Timing of ShapeFormToPicture under Wine: the note skin on a hidden window, its parts
// one by one, and large masks with a growing number of runs. Prints figures; it is not a
// test and fails on nothing.
//
//   shapebench [skin-calls]   (default 300)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "imaging/Module1.h"
#include "imaging/cDIBSection.h"
#include "imaging/core/RunScan.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/Form.h"
#include "toolkit/Gdi.h"
#include "toolkit/Dpi.h"

namespace {

class BenchForm : public tk::Form {
public:
    explicit BenchForm(DWORD style) : Form(MakeStyle(style)) {}

private:
    static tk::FormStyle MakeStyle(DWORD style) {
        tk::FormStyle s;
        s.style = style;
        return s;
    }
};

double Now() {
    static LARGE_INTEGER freq = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(freq.QuadPart);
}

struct Stats {
    double median, p10, p90, min;
};

// Runs `fn` `calls` times (after two unmeasured ones) and returns milliseconds per call.
Stats Measure(int calls, const std::function<void()>& fn) {
    fn();
    fn();
    std::vector<double> ms;
    ms.reserve(static_cast<size_t>(calls));
    for (int i = 0; i < calls; ++i) {
        double t0 = Now();
        fn();
        ms.push_back((Now() - t0) * 1000.0);
    }
    std::sort(ms.begin(), ms.end());
    auto at = [&](double q) { return ms[static_cast<size_t>(q * (ms.size() - 1))]; };
    return {at(0.5), at(0.1), at(0.9), ms.front()};
}

void Print(const char* what, const Stats& s) {
    std::printf("  %-44s median %8.3f ms   p10 %8.3f   p90 %8.3f   min %8.3f\n", what, s.median, s.p10, s.p90,
                s.min);
}

HBITMAP LoadSkin() {
    return tk::LoadProgramPicture(IDB_SKIN);
}

// A 24-bit DIB section of size x size whose every row holds `runs` runs of black pixels
// between white (key) gaps, spread evenly over the row; the bottom-left pixel is white.
HBITMAP MakeStripes(int size, int runs) {
    BITMAPINFO bi = {};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), size, size, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* p = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
    if (!bmp) return nullptr;
    auto* bits = static_cast<uint8_t*>(p);
    const int stride = (3 * size + 3) & ~3;
    const int period = size / runs;  // a white gap then a black run, each half a period
    for (int y = 0; y < size; ++y) {
        uint8_t* row = bits + static_cast<size_t>(y) * stride;
        for (int x = 0; x < size; ++x) {
            bool black = (x % period) >= period / 2;
            uint8_t v = black ? 0 : 255;
            row[3 * x] = row[3 * x + 1] = row[3 * x + 2] = v;
        }
    }
    return bmp;
}

void BenchSkin(int calls) {
    std::printf("Note skin (284 x 210, 201 runs), %d calls each, hidden windows:\n", calls);
    for (DWORD style : {static_cast<DWORD>(WS_POPUP), static_cast<DWORD>(WS_OVERLAPPEDWINDOW)}) {
        BenchForm* form = tk::LoadForm<BenchForm>(style);
        form->SetPicture(LoadSkin());
        Stats s = Measure(calls, [&] {
            int32_t key = 1;
            ShapeFormToPicture(*form, key);
        });
        Print(style == WS_POPUP ? "ShapeFormToPicture, popup window" : "ShapeFormToPicture, framed window", s);
        form->Destroy();
    }

    // The parts, each alone.
    BenchForm* form = tk::LoadForm<BenchForm>(WS_POPUP);
    form->SetPicture(LoadSkin());
    HBITMAP skin = form->Picture();
    Print("cDIBSection::CreateFromPicture (skin)", Measure(calls, [&] {
              auto dib = cDIBSection::New();
              dib->CreateFromPicture(skin);
          }));
    Print("cDIBSection::Create (284 x 210)", Measure(calls, [&] {
              auto dib = cDIBSection::New();
              dib->Create(284, 210);
          }));
    {
        auto dib = cDIBSection::New();
        dib->Create(284, 210);
        tk::OwnedMemoryDC temp(CreateCompatibleDC(nullptr));
        tk::ScopedSelectObject sel(temp.Get(), skin);
        Print("BitBlt skin into the DIB (DCs made)", Measure(calls, [&] { dib->LoadPictureBlt(temp.Get()); }));
    }
    Print("CreateCompatibleDC(screen DC) + DeleteDC", Measure(calls, [&] {
              tk::ScopedGetDC screen(GetDesktopWindow());
              tk::OwnedMemoryDC temp(CreateCompatibleDC(screen.Get()));
          }));
    Print("tk::DpiOf the window", Measure(calls, [&] {
              volatile int dpi = tk::DpiOf(form->Handle());
              (void)dpi;
          }));
    Print("GetDC/ReleaseDC of the desktop", Measure(calls, [&] {
              tk::ScopedGetDC dc(GetDesktopWindow());
          }));
    Print("201 x (CreateRectRgn + CombineRgn + DeleteObject)", Measure(calls, [&] {
              tk::ScopedGdiObject<HRGN> rgn(CreateRectRgn(0, 0, 0, 0));
              for (int row = 205; row >= 5; --row) {
                  tk::ScopedGdiObject<HRGN> run(CreateRectRgn(5, row, 277, row + 1));
                  CombineRgn(rgn.Get(), rgn.Get(), run.Get(), RGN_OR);
              }
          }));
    Print("SetWindowPos (size only)", Measure(calls, [&] {
              SetWindowPos(form->Handle(), nullptr, 0, 0, 284, 210, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
          }));
    Print("SetWindowRgn (one rectangle, redraw)", Measure(calls, [&] {
              SetWindowRgn(form->Handle(), CreateRectRgn(5, 5, 277, 206), TRUE);
          }));
    Print("SetWindowRgn (one rectangle, no redraw)", Measure(calls, [&] {
              SetWindowRgn(form->Handle(), CreateRectRgn(5, 5, 277, 206), FALSE);
          }));
    form->Destroy();
}

void BenchRuns(int size, double budgetSeconds) {
    std::printf("\nMask of %d x %d pixels, N runs per row, hidden popup window:\n", size, size);
    std::printf("  %10s %12s %14s %16s %22s\n", "runs/row", "runs", "ms per call", "us per run",
                "of which region (ms)");
    BenchForm* form = tk::LoadForm<BenchForm>(WS_POPUP);
    for (int perRow = 1; perRow <= size / 2; perRow *= 2) {
        form->SetPicture(MakeStripes(size, perRow));
        const double runs = static_cast<double>(perRow) * size;
        double t0 = Now();
        int32_t key = 1;
        ShapeFormToPicture(*form, key);
        double seconds = Now() - t0;
        int calls = 1;
        // Small cases are repeated for a steadier figure.
        while (seconds / calls < 0.2 && calls < 20) {
            double t1 = Now();
            key = 1;
            ShapeFormToPicture(*form, key);
            seconds += Now() - t1;
            ++calls;
        }
        const double perCall = seconds / calls;
        // The same scan and merges without the window: how much is the region itself.
        auto dib = cDIBSection::New();
        dib->CreateFromPicture(form->Picture());
        double r0 = Now();
        {
            tk::ScopedGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
            int32_t k = 1;
            imaging::ScanNonKeyRuns(dib->PixelView(), dib->Width(), dib->Height(), k, 0, 0,
                                    [&](int32_t l, int32_t t, int32_t r, int32_t b) {
                                        tk::ScopedGdiObject<HRGN> run(CreateRectRgn(l, t, r, b));
                                        CombineRgn(region.Get(), region.Get(), run.Get(), RGN_OR);
                                    });
        }
        const double regionMs = (Now() - r0) * 1000.0;
        std::printf("  %10d %12.0f %14.2f %16.3f %22.2f\n", perRow, runs, perCall * 1000.0, perCall * 1e6 / runs,
                    regionMs);
        std::fflush(stdout);
        if (perCall > budgetSeconds) {
            std::printf("  (stopping: one call took more than %.0f s)\n", budgetSeconds);
            break;
        }
    }
    form->Destroy();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    tk::InitProcess();
    int calls = argc > 1 ? _wtoi(argv[1]) : 300;
    if (calls < 1) calls = 1;
    BenchSkin(calls);
    BenchRuns(2048, 20.0);
    std::printf("\n");
    return 0;
}
