#include "imaging/SkinForDpi.h"

#include <cstring>
#include <map>

#include "imaging/core/SkinScale.h"
#include "resources/resource.h"
#include "toolkit/Application.h"
#include "toolkit/Dpi.h"

namespace imaging {
namespace {

// The pixels of a 24-bit bottom-up DIB section (what LoadProgramPicture makes).
bool ReadPicture(HBITMAP bitmap, Picture24& picture) {
    DIBSECTION dib = {};
    if (GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 24 || !dib.dsBm.bmBits ||
        dib.dsBmih.biHeight <= 0)
        return false;
    picture.width = dib.dsBm.bmWidth;
    picture.height = dib.dsBm.bmHeight;
    const auto* bits = static_cast<const uint8_t*>(dib.dsBm.bmBits);
    picture.bits.assign(bits, bits + static_cast<std::size_t>(dib.dsBm.bmWidthBytes) * dib.dsBm.bmHeight);
    return true;
}

HBITMAP MakeBitmap(const Picture24& picture) {
    void* bits = nullptr;
    HBITMAP dib = tk::CreateDib24(tk::Dib24Header(picture.width, picture.height), &bits);
    if (dib) std::memcpy(bits, picture.bits.data(), picture.bits.size());
    return dib;
}

}  // namespace

tk::SharedBitmap SkinForDpi(int dpi) {
    tk::SharedBitmap standard = tk::ProgramBitmap(IDB_SKIN);
    if (dpi == tk::kStandardDpi || !standard) return standard;
    // Kept for the run, like the built-in picture: a program meets one or two scales.
    static std::map<int, tk::SharedBitmap> made;
    tk::SharedBitmap& skin = made[dpi];
    Picture24 picture;
    if (!skin && ReadPicture(standard->Get(), picture)) {
        if (HBITMAP scaled = MakeBitmap(ScaleSkin(picture, dpi)))
            skin = std::make_shared<tk::ScopedGdiObject<HBITMAP>>(scaled);
    }
    return skin;
}

}  // namespace imaging
