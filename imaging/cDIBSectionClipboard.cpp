// cDIBSection's copy of its picture to the clipboard.
#include "imaging/cDIBSection.h"

#include "toolkit/Gdi.h"
#include "toolkit/MessageBox.h"

bool cDIBSection::CopyToClipboard(bool bAsDIB) {
    tk::ScopedGetDC screen(GetDesktopWindow());
    if (!screen.Get()) return false;
    tk::OwnedMemoryDC memory(CreateCompatibleDC(screen.Get()));
    if (!memory.Get()) return false;
    if (bAsDIB) {
        tk::ShowMessage(L"I don't know how to put a DIB on the clipboard! Copy as bitmap instead!!!", MB_OK);
        return false;
    }
    // Without a DIB there is nothing to paint: the clipboard would get a bitmap of
    // whatever the new memory held.
    if (!Holding()) return false;

    // Deleted here unless the clipboard takes it.
    tk::ScopedGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), Width(), Height()));
    if (!bitmap.Get()) return false;
    {
        // The clipboard must get a bitmap that no DC holds.
        tk::ScopedSelectObject select(memory.Get(), bitmap.Get());
        PaintPicture(memory.Get(), 0, 0, -1, -1, 0, 0, SRCCOPY);
    }
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_BITMAP, bitmap.Get()) != nullptr;
    if (placed) bitmap.Release();  // the clipboard's now
    CloseClipboard();
    return placed;
}
