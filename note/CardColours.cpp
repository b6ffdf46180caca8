#include "note/CardColours.h"

#include <map>
#include <tuple>

#include "imaging/core/CardRecolour.h"
#include "imaging/core/DibLayout.h"
#include "imaging/core/Pixel.h"
#include "toolkit/SystemColours.h"

namespace note {
namespace {

const COLORREF kSkinFace = RGB(255, 255, 0);
const COLORREF kSkinOutline = RGB(0, 0, 0);
const COLORREF kTextBack = RGB(255, 255, 255);  // the text box as designed

// A copy of the skin in the colours, as a new 24-bit DIB section; null when none can be made.
HBITMAP Recoloured(HBITMAP skin, const CardColours& colours) {
    BITMAP bm = {};
    if (!GetObjectW(skin, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return nullptr;
    BITMAPINFO info = {};  // GetDIBits takes the whole record; a 24-bit picture has no colour table
    info.bmiHeader = tk::Dib24Header(bm.bmWidth, bm.bmHeight);
    void* bits = nullptr;
    tk::ScopedGdiObject<HBITMAP> copy(tk::CreateDib24(info.bmiHeader, &bits));
    tk::ScopedGetDC screen(nullptr);
    if (!copy.Get() || GetDIBits(screen.Get(), skin, 0, bm.bmHeight, bits, &info, DIB_RGB_COLORS) != bm.bmHeight)
        return nullptr;
    GdiFlush();  // the bits are complete before they are read
    tk::ByteView view(static_cast<uint8_t*>(bits), imaging::BytesPerScanLine(bm.bmWidth), bm.bmHeight);
    imaging::RecolourCard(view, bm.bmWidth, bm.bmHeight, imaging::KeyColour(view.Row(0, 3)),
                          {tk::ToRgb(kSkinOutline), tk::ToRgb(kSkinFace)},
                          {tk::ToRgb(colours.outline), tk::ToRgb(colours.face)});
    return copy.Release();
}

}  // namespace

CardColours CardColoursNow() {
    const COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    if (tk::HighContrastOn()) {
        const COLORREF face = GetSysColor(COLOR_WINDOW);
        const COLORREF ink = tk::ReadableOn(face, {text});
        return {face, ink, ink, face, ink};
    }
    return {kSkinFace, kSkinOutline, tk::ReadableOn(kSkinFace, {text}), kTextBack, tk::ReadableOn(kTextBack, {text})};
}

tk::SharedBitmap CardPicture(const tk::SharedBitmap& skin, const CardColours& colours) {
    if (!skin || (colours.face == kSkinFace && colours.outline == kSkinOutline)) return skin;
    using Key = std::tuple<HBITMAP, COLORREF, COLORREF>;
    static std::map<Key, std::weak_ptr<const tk::ScopedGdiObject<HBITMAP>>> made;
    std::weak_ptr<const tk::ScopedGdiObject<HBITMAP>>& entry = made[Key{skin->Get(), colours.face, colours.outline}];
    tk::SharedBitmap picture = entry.lock();
    if (!picture) {
        HBITMAP recoloured = Recoloured(skin->Get(), colours);
        if (!recoloured) return skin;
        picture = std::make_shared<tk::ScopedGdiObject<HBITMAP>>(recoloured);
        entry = picture;
    }
    return picture;
}

}  // namespace note
