#include "imaging/Module1.h"

#include "imaging/cDIBSection.h"
#include "imaging/core/RunScan.h"
#include "toolkit/Form.h"
#include "toolkit/Gdi.h"
#include "toolkit/core/CheckedMath.h"
#include "toolkit/core/Rounding.h"

namespace {

// Border and title bar in pixels, measured as outer minus client size: the border is half
// the width difference, the title what the height difference leaves above the client area
// besides the bottom border.
struct Frame {
    int32_t border;
    int32_t title;
};

Frame MeasureFrame(HWND hwnd) {
    RECT outer, client;
    GetWindowRect(hwnd, &outer);
    GetClientRect(hwnd, &client);
    Frame f;
    f.border = tk::RoundHalfEven((outer.right - outer.left - client.right) / 2.0);
    f.title = tk::CheckedSub(tk::CheckedSub(outer.bottom - outer.top, client.bottom), f.border);
    return f;
}

// One rectangle per run of non-key pixels, merged into the region as the scan finds it;
// each run's own region is deleted again before the next run is found.
void AddRuns(const cDIBSection& dib, int32_t& lKeyColour, const Frame& f, HRGN region) {
    imaging::ScanNonKeyRuns(dib.PixelView(), dib.Width(), dib.Height(), lKeyColour, f.border, f.title,
                            [region](int32_t left, int32_t top, int32_t right, int32_t bottom) {
                                tk::ScopedGdiObject<HRGN> run(CreateRectRgn(left, top, right, bottom));
                                CombineRgn(region, region, run.Get(), RGN_OR);
                            });
}

}  // namespace

void ShapeFormToPicture(tk::Form& frm, int32_t& lKeyColour) {
    std::shared_ptr<cDIBSection> dib = cDIBSection::New();
    dib->CreateFromPicture(frm.Picture());
    const int32_t w = dib->Width();
    const int32_t h = dib->Height();
    // Without a DIB there are no pixels to read: the window keeps its size and its
    // rectangle rather than being cut to a picture that is not there.
    if (!dib->Holding()) return;

    const Frame f = MeasureFrame(frm.Handle());
    const int32_t outerW = tk::CheckedAdd(tk::CheckedMul(2, f.border), w);
    const int32_t outerH = tk::CheckedAdd(tk::CheckedAdd(f.border, h), f.title);
    SetWindowPos(frm.Handle(), nullptr, 0, 0, outerW, outerH, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    tk::ScopedGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
    AddRuns(*dib, lKeyColour, f, region.Get());
    // The window owns the region once it has taken it; a region it refused is still ours.
    if (SetWindowRgn(frm.Handle(), region.Get(), TRUE)) region.Release();
}
