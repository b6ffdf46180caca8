#pragma once
// The note card's skin for a display scale: the built-in picture at 96 dpi, and at any
// other DPI the same card drawn for it (imaging/core/SkinScale.h). Each is made once and
// shared by every note at that DPI.
#include "toolkit/Gdi.h"

namespace imaging {

// Null when the built-in picture cannot be read.
tk::SharedBitmap SkinForDpi(int dpi);

}  // namespace imaging
