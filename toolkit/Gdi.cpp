#include "toolkit/Gdi.h"

#include "toolkit/Screen.h"
#include "toolkit/core/Rounding.h"

namespace tk {

HFONT CreatePointFont(const wchar_t* face, double points, bool bold, bool underline, BYTE charset) {
    ScopedGetDC screen(nullptr);
    int dpi = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : kStandardDpi;
    LOGFONTW lf = {};
    lf.lfHeight = -RoundHalfEven(points * dpi / 72.0);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfUnderline = underline ? TRUE : FALSE;
    lf.lfCharSet = charset;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(lf.lfFaceName, face, LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

}  // namespace tk
